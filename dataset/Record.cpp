#include "dataset/Record.h"

#include <cassert>
#include <utility>

namespace torvik::dataset {

const std::string *FindSideValue(const TSideValues *side, int field)
{
    if (side) {
        for (const TSideValue &v : *side) {
            if (v.field == field)
                return &v.bytes;
        }
    }
    return nullptr;
}

TRecord::TRecord(const TRecordLayout &layout) : bytes_(size_t(layout.DataSize()), 0) {}

TRecord::TRecord(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

TRecord TRecord::CopyOf(const TRecordLayout &layout, const uint8_t *bytes, const TSideValues *side)
{
    TRecord copy;
    copy.bytes_.assign(bytes, bytes + layout.DataSize());
    // Until each handle is replaced, the copy's blob slots still point at the
    // original's bytes; the copy never frees through a handle, so a failure
    // here frees only what the copy made.
    for (int i : layout.blobFields()) {
        const TSlot &slot = layout.slot(i);
        const std::string *original = TRecordLayout::Blob(bytes, slot);
        copy.AddSideValue(slot, original ? *original : std::string());
    }
    if (side) {
        for (const TSideValue &v : *side) {
            if (!isBlobType(layout.slot(v.field).type))
                copy.side_.push_front(v);
        }
    }
    return copy;
}

void TRecord::Reset(const TRecordLayout &layout)
{
    side_.clear();
    bytes_.assign(size_t(layout.DataSize()), 0);
}

void TRecord::clear()
{
    side_.clear();
    bytes_.clear();
}

std::string &TRecord::AddSideValue(const TSlot &slot, std::string bytes)
{
    assert(size_t(slot.offset + slot.slotSize) <= bytes_.size());
    side_.push_front({slot.index, std::move(bytes)});
    std::string &stored = side_.front().bytes;
    if (isBlobType(slot.type))
        TRecordLayout::Put<std::string *>(bytes_.data(), slot, &stored);
    return stored;
}

} // namespace torvik::dataset
