#pragma once

// Field objects: typed and text access to one value of the active record of
// their owner (a dataset, or a standalone record).

#include "dataset/FieldDefs.h"
#include "dataset/Record.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace torvik::dataset {

class TField;

// What a field reads from and writes into.
class TFieldOwner {
public:
    virtual ~TFieldOwner() = default;
    // The active record, or none (then every field reads as NULL).
    virtual const uint8_t *ActiveRecord() const = 0;
    // The side values the active record refers to (long texts as read).
    virtual const TSideValues *ActiveSideValues() const { return nullptr; }
    // The active record for a write; may raise when the owner is not editing,
    // answers none when there is no record to store into.
    virtual uint8_t *WritableRecord() = 0;
    virtual void FieldChanged(TField &) {}
    virtual void FieldLabelChanged(TField &) {}
    virtual bool Utf8Mode() const { return false; }
    // A field whose value is read from another field instead (a detail's
    // link columns read the master's); none for the field's own value.
    virtual const TField *ValueSource(const TField &) const { return nullptr; }
};

class TField {
public:
    TField(TFieldOwner &owner, const TFieldDef &def, const TSlot &slot);

    const std::string &FieldName() const { return name_; }
    TFieldType DataType() const { return slot_.type; }
    int Size() const { return slot_.size; }
    int Precision() const { return precision_; }
    int Index() const { return slot_.index; }
    int FieldNo() const { return slot_.index + 1; }
    const TSlot &Slot() const { return slot_; }
    bool IsBlob() const { return isBlobType(slot_.type); }

    // The title of the field: the display label, or the name when it is empty.
    const std::string &DisplayLabel() const { return label_; }
    void setDisplayLabel(const std::string &label);
    const std::string &DisplayName() const { return label_.empty() ? name_ : label_; }

    bool Required() const { return required_; }
    void setRequired(bool required) { required_ = required; }

    bool IsNull() const;
    void Clear();

    std::string AsString() const;
    void setAsString(const std::string &gbk);
    int32_t AsInteger() const;
    void setAsInteger(int32_t value);
    double AsFloat() const;
    void setAsFloat(double value);
    bool AsBoolean() const;
    void setAsBoolean(bool value);
    // Days since 1899-12-30, the fraction being the time of day.
    double AsDateTime() const;
    void setAsDateTime(double dayCount);

    // The value as text in a given record of the same layout (grid cells).
    std::string TextIn(const uint8_t *record) const;
    bool IsNullIn(const uint8_t *record) const;

    // The record the field reads: its owner's active one, or none.
    const uint8_t *OwnerRecord() const { return owner_.ActiveRecord(); }
    const TSideValues *OwnerSideValues() const { return owner_.ActiveSideValues(); }
    // Binds the value as statement parameter `parameter`, by the field's type.
    void BindTo(sqlite3_stmt *statement, int parameter) const;

private:
    template <typename Fn>
    void write(Fn &&fn);

    TFieldOwner &owner_;
    std::string name_;
    std::string label_;
    int precision_;
    bool required_ = false;
    TSlot slot_;
};

// The fields of an owner, in field order.
class TFields {
public:
    int Count() const { return int(fields_.size()); }
    TField *operator[](int i) const { return fields_[size_t(i)].get(); }
    // By name, ignoring case; none when missing.
    TField *FindField(const std::string &name) const;
    // By name; EDatabaseError "Field 'name' not found" when missing.
    TField *FieldByName(const std::string &name) const;

    void Rebuild(TFieldOwner &owner, const TFieldDefs &defs, const TRecordLayout &layout);
    void Clear();
    // Changes with every rebuild: lets statements remember which field binds
    // which parameter.
    uint64_t Generation() const { return generation_; }

private:
    std::vector<std::unique_ptr<TField>> fields_;
    uint64_t generation_ = 0;
};

// A record of its own with fields over it, outside any dataset: parameters for
// ExecSQL, values built before they are written.
class TStandaloneRecord : public TFieldOwner {
public:
    explicit TStandaloneRecord(const TFieldDefs &defs, bool utf8Mode = false);

    TFields &Fields() { return fields_; }
    const TRecordLayout &Layout() const { return layout_; }
    uint8_t *Data() { return record_.data(); }

    TRecord &Record() { return record_; }

    const uint8_t *ActiveRecord() const override { return record_.data(); }
    const TSideValues *ActiveSideValues() const override { return &record_.side(); }
    uint8_t *WritableRecord() override { return record_.data(); }
    bool Utf8Mode() const override { return utf8Mode_; }

private:
    TFieldDefs defs_;
    TRecordLayout layout_;
    TRecord record_;
    TFields fields_;
    bool utf8Mode_;
};

} // namespace torvik::dataset
