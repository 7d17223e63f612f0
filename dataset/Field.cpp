#include "dataset/Field.h"

#include "dataset/AsciiText.h"
#include "dataset/Errors.h"
#include "dataset/RecordValues.h"

namespace torvik::dataset {

TField::TField(TFieldOwner &owner, const TFieldDef &def, const TSlot &slot)
    : owner_(owner), name_(def.Name), precision_(def.Precision), slot_(slot)
{
}

void TField::setDisplayLabel(const std::string &label)
{
    if (label == label_)
        return;
    label_ = label;
    owner_.FieldLabelChanged(*this);
}

template <typename Fn>
void TField::write(Fn &&fn)
{
    uint8_t *record = owner_.WritableRecord();
    if (!record)
        return;
    fn(record);
    owner_.FieldChanged(*this);
}

bool TField::IsNull() const
{
    if (const TField *source = owner_.ValueSource(*this))
        return source->IsNull();
    return IsNullIn(owner_.ActiveRecord());
}

bool TField::IsNullIn(const uint8_t *record) const
{
    if (!record)
        return true;
    return isNullableType(slot_.type) && !TRecordLayout::HasValue(record, slot_);
}

void TField::BindTo(sqlite3_stmt *statement, int parameter) const
{
    const uint8_t *record = owner_.ActiveRecord();
    if (record) {
        BindParameter(statement, parameter, SlotParameterValue(record, owner_.ActiveSideValues(), slot_));
        return;
    }
    // No record: every value is NULL, and a NULL blob binds as an empty one.
    std::vector<uint8_t> empty(size_t(slot_.offset + slot_.slotSize), 0);
    BindParameter(statement, parameter, SlotParameterValue(empty.data(), nullptr, slot_));
}

void TField::Clear()
{
    write([&](uint8_t *r) { TRecordLayout::SetHasValue(r, slot_, false); });
}

std::string TField::AsString() const
{
    if (const TField *source = owner_.ValueSource(*this))
        return source->AsString();
    return TextIn(owner_.ActiveRecord());
}

std::string TField::TextIn(const uint8_t *record) const
{
    return record ? SlotText(record, slot_, owner_.Utf8Mode()) : std::string();
}

void TField::setAsString(const std::string &gbk)
{
    write([&](uint8_t *r) { AssignSlotText(r, slot_, gbk, owner_.Utf8Mode(), DisplayName()); });
}

int32_t TField::AsInteger() const
{
    if (const TField *source = owner_.ValueSource(*this))
        return source->AsInteger();
    const uint8_t *r = owner_.ActiveRecord();
    return r ? SlotInteger(r, slot_, owner_.Utf8Mode()) : 0;
}

void TField::setAsInteger(int32_t value)
{
    write([&](uint8_t *r) { PutSlotInteger(r, slot_, value, owner_.Utf8Mode(), DisplayName()); });
}

double TField::AsFloat() const
{
    if (const TField *source = owner_.ValueSource(*this))
        return source->AsFloat();
    const uint8_t *r = owner_.ActiveRecord();
    return r ? SlotFloat(r, slot_, owner_.Utf8Mode()) : 0;
}

void TField::setAsFloat(double value)
{
    write([&](uint8_t *r) { PutSlotFloat(r, slot_, value, owner_.Utf8Mode(), DisplayName()); });
}

bool TField::AsBoolean() const
{
    if (const TField *source = owner_.ValueSource(*this))
        return source->AsBoolean();
    const uint8_t *r = owner_.ActiveRecord();
    return r ? SlotBoolean(r, slot_, owner_.Utf8Mode()) : false;
}

void TField::setAsBoolean(bool value)
{
    write([&](uint8_t *r) { PutSlotBoolean(r, slot_, value, owner_.Utf8Mode(), DisplayName()); });
}

double TField::AsDateTime() const
{
    if (const TField *source = owner_.ValueSource(*this))
        return source->AsDateTime();
    const uint8_t *r = owner_.ActiveRecord();
    return r ? SlotDayCount(r, slot_, owner_.Utf8Mode()) : 0;
}

void TField::setAsDateTime(double dayCount)
{
    write([&](uint8_t *r) { PutSlotDayCount(r, slot_, dayCount, owner_.Utf8Mode(), DisplayName()); });
}

TField *TFields::FindField(const std::string &name) const
{
    for (const auto &f : fields_) {
        if (equalsIgnoringCase(f->FieldName(), name))
            return f.get();
    }
    return nullptr;
}

TField *TFields::FieldByName(const std::string &name) const
{
    TField *f = FindField(name);
    if (!f)
        throw EDatabaseError("Field '" + name + "' not found");
    return f;
}

namespace {
uint64_t nextGeneration()
{
    static uint64_t counter = 0;
    return ++counter;
}
} // namespace

void TFields::Rebuild(TFieldOwner &owner, const TFieldDefs &defs, const TRecordLayout &layout)
{
    fields_.clear();
    for (int i = 0; i < defs.Count(); ++i)
        fields_.push_back(std::make_unique<TField>(owner, defs[i], layout.slot(i)));
    generation_ = nextGeneration();
}

void TFields::Clear()
{
    fields_.clear();
    generation_ = nextGeneration();
}

TStandaloneRecord::TStandaloneRecord(const TFieldDefs &defs, bool utf8Mode) : defs_(defs), utf8Mode_(utf8Mode)
{
    layout_.Build(defs_);
    InitNewRecord(record_, layout_);
    fields_.Rebuild(*this, defs_, layout_);
}

} // namespace torvik::dataset
