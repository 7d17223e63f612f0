#include "dataset/ResultCache.h"

#include <algorithm>

namespace torvik::dataset {

namespace {
constexpr size_t kBlockBytes = 1 << 20;
}

TFResult::TFResult(int recordSize, const TRecordLayout *layout)
    : recordSize_(std::max(recordSize, 1)), layout_(layout)
{
}

TFResult::~TFResult()
{
    if (layout_ && !layout_->blobFields().empty()) {
        for (const Entry &e : entries_)
            layout_->FreeBlobs(e.record);
    }
}

uint8_t *TFResult::allocateRecord()
{
    if (!freeRecords_.empty()) {
        uint8_t *r = freeRecords_.back();
        freeRecords_.pop_back();
        return r;
    }
    const size_t size = size_t(recordSize_);
    if (blocks_.empty() || blockUsed_ + size > blockCapacity_) {
        blockCapacity_ = std::max(kBlockBytes / size, size_t(1)) * size;
        blocks_.push_back(std::make_unique<uint8_t[]>(blockCapacity_));
        blockUsed_ = 0;
    }
    uint8_t *r = blocks_.back().get() + blockUsed_;
    blockUsed_ += size;
    return r;
}

void TFResult::releaseRecord(uint8_t *record)
{
    if (layout_)
        layout_->FreeBlobs(record);
    freeRecords_.push_back(record);
}

void TFResult::AddRow(const uint8_t *record, int32_t rowid)
{
    uint8_t *copy = allocateRecord();
    std::memcpy(copy, record, size_t(recordSize_));
    ++lastBookmark_;
    entries_.push_back({copy, lastBookmark_, rowid < 0 ? int32_t(entries_.size()) : rowid});
}

void TFResult::InsertRow(int index, const uint8_t *record, int32_t rowid)
{
    uint8_t *copy = allocateRecord();
    std::memcpy(copy, record, size_t(recordSize_));
    ++lastBookmark_;
    const Entry e{copy, lastBookmark_, rowid};
    if (index >= 0 && index < Count()) {
        entries_.insert(entries_.begin() + index, e);
        sortedByBookmark_ = false;
    } else {
        entries_.push_back(e);
    }
}

void TFResult::DeleteRow(int index)
{
    if (index < 0 || index >= Count())
        return;
    releaseRecord(entries_[size_t(index)].record);
    entries_.erase(entries_.begin() + index);
}

void TFResult::ReplaceRow(int index, const uint8_t *record)
{
    if (index < 0 || index >= Count())
        return;
    uint8_t *target = entries_[size_t(index)].record;
    if (layout_) {
        for (int f : layout_->blobFields()) {
            const TSlot &s = layout_->slot(f);
            TBlobData *old = TRecordLayout::Blob(target, s);
            if (old != TRecordLayout::Blob(record, s))
                delete old;
        }
    }
    std::memcpy(target, record, size_t(recordSize_));
}

uint8_t *TFResult::RowAt(int index) const
{
    return index >= 0 && index < Count() ? entries_[size_t(index)].record : nullptr;
}

int32_t TFResult::BookmarkAt(int index) const
{
    return index >= 0 && index < Count() ? entries_[size_t(index)].bookmark : -1;
}

int32_t TFResult::RowidAt(int index) const
{
    return index >= 0 && index < Count() ? entries_[size_t(index)].rowid : -1;
}

int TFResult::IndexOfBookmark(int32_t id) const
{
    if (sortedByBookmark_) {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                         [](const Entry &e, int32_t v) { return e.bookmark < v; });
        return it != entries_.end() && it->bookmark == id ? int(it - entries_.begin()) : -1;
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].bookmark == id)
            return int(i);
    }
    return -1;
}

} // namespace torvik::dataset
