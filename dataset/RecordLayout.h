#pragma once

// The binary layout of one record: a has-value bitmap, then one slot per
// field. Slots are packed at their value sizes, so a row of the item table
// costs little more than its values; every field is found by offset. A blob
// slot holds a handle to bytes that the record owns beside its slots (see
// TRecord); the slot itself owns nothing, so records copy as plain bytes.

#include "dataset/FieldDefs.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace torvik::dataset {

struct TSlot {
    TFieldType type = ftString;
    int size = 0;     // the definition's size (text capacity in bytes)
    int offset = 0;   // first byte of the slot within the record
    int slotSize = 0; // bytes of the slot
    int index = 0;    // field number - 1: the has-value bit
};

class TRecordLayout {
public:
    // Bytes of the slot of a field of that type; ESqliteError
    // "Fieldtype of Field \"name\" not supported!" for a type without one.
    static int FieldSlotSize(TFieldType type, int size, const std::string &fieldName);

    void Build(const TFieldDefs &defs);
    void Clear();

    int DataSize() const { return dataSize_; }
    int Count() const { return int(slots_.size()); }
    const TSlot &slot(int i) const { return slots_[size_t(i)]; }
    const std::vector<int> &blobFields() const { return blobFields_; }

    static bool HasValue(const uint8_t *record, const TSlot &s)
    {
        return (record[s.index >> 3] >> (s.index & 7)) & 1;
    }
    static void SetHasValue(uint8_t *record, const TSlot &s, bool value)
    {
        const uint8_t bit = uint8_t(1u << (s.index & 7));
        record[s.index >> 3] = value ? uint8_t(record[s.index >> 3] | bit) : uint8_t(record[s.index >> 3] & ~bit);
    }

    template <typename T>
    static T Get(const uint8_t *record, const TSlot &s)
    {
        T v;
        std::memcpy(&v, record + s.offset, sizeof v);
        return v;
    }
    template <typename T>
    static void Put(uint8_t *record, const TSlot &s, T v)
    {
        std::memcpy(record + s.offset, &v, sizeof v);
    }

    // The bytes a blob slot refers to; none in a record that has no value for it yet.
    static std::string *Blob(const uint8_t *record, const TSlot &s) { return Get<std::string *>(record, s); }

    // A text slot holds Size bytes of text and one byte more: the text ends
    // at the first zero within Size bytes, and the last byte tells whether
    // the text as read was longer, its whole bytes then being a side value of
    // the record. Assigning a text clears it.
    static bool ReadLonger(const uint8_t *record, const TSlot &s) { return record[s.offset + s.size] != 0; }
    static void SetReadLonger(uint8_t *record, const TSlot &s, bool longer)
    {
        record[s.offset + s.size] = longer ? 1 : 0;
    }

private:
    std::vector<TSlot> slots_;
    std::vector<int> blobFields_;
    int dataSize_ = 0;
};

} // namespace torvik::dataset
