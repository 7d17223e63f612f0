#pragma once

// TRecord: one record as a value. Its fixed slots live in a byte array laid
// out by TRecordLayout; what does not fit a slot lives beside it, in side
// values the record owns: the bytes of each blob field (whose slot holds a
// handle to them), and a text that was read longer than its declared size
// (kept so that a post writes back what the file held). Moving a record keeps
// its handles valid; a copy is explicit and deep.

#include "dataset/RecordLayout.h"

#include <cstdint>
#include <forward_list>
#include <string>
#include <vector>

namespace torvik::dataset {

struct TSideValue {
    int field; // the field's index in the layout
    std::string bytes;
};
// A list keeps every value where it is while others come and go, so the
// handles in the slots stay valid; an empty list costs one pointer.
using TSideValues = std::forward_list<TSideValue>;

// The side value of a field, or none.
const std::string *FindSideValue(const TSideValues *side, int field);

class TRecord {
public:
    TRecord() = default;
    // The layout's bytes, all zero: every field NULL, no side values.
    explicit TRecord(const TRecordLayout &layout);
    // Bytes of a layout without blob fields.
    explicit TRecord(std::vector<uint8_t> bytes);
    TRecord(TRecord &&) noexcept = default;
    TRecord &operator=(TRecord &&) noexcept = default;
    TRecord(const TRecord &) = delete;
    TRecord &operator=(const TRecord &) = delete;

    // A deep copy of a record of the layout: the copy's blob slots refer to
    // copies of the bytes the original's refer to; its long texts as read come
    // along. A failure half-way leaves nothing behind.
    static TRecord CopyOf(const TRecordLayout &layout, const uint8_t *bytes, const TSideValues *side);

    bool empty() const { return bytes_.empty(); }
    size_t size() const { return bytes_.size(); }
    uint8_t *data() { return bytes_.data(); }
    const uint8_t *data() const { return bytes_.data(); }
    TSideValues &side() { return side_; }
    const TSideValues &side() const { return side_; }

    // Back to the layout's zero bytes without side values; a moved-from
    // record is whole again, keeping its byte buffer.
    void Reset(const TRecordLayout &layout);
    void clear();

    // Stores a side value for the slot's field; a blob slot gets its handle.
    std::string &AddSideValue(const TSlot &slot, std::string bytes);

private:
    std::vector<uint8_t> bytes_;
    TSideValues side_;
};

} // namespace torvik::dataset
