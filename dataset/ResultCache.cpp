#include "dataset/ResultCache.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace torvik::dataset {

namespace {
constexpr size_t kBlockBytes = 1 << 20;
}

TFResult::TFResult(int recordSize, const TRecordLayout *layout)
    : recordSize_(std::max(recordSize, 1)), layout_(layout)
{
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

uint8_t *TFResult::storeBytes(const TRecord &record)
{
    assert(record.size() >= size_t(recordSize_) || record.size() == 0);
    uint8_t *copy = allocateRecord();
    if (record.size() > 0)
        std::memcpy(copy, record.data(), size_t(recordSize_));
    else
        std::memset(copy, 0, size_t(recordSize_));
    return copy;
}

void TFResult::AddRow(TRecord &&record, int32_t rowid)
{
    uint8_t *copy = storeBytes(record);
    const int32_t position = int32_t(entries_.size());
    entries_.push_back({copy, lastBookmark_ + 1, rowid < 0 ? position : rowid, std::move(record.side())});
    ++lastBookmark_;
}

void TFResult::InsertRow(int index, TRecord &&record, int32_t rowid)
{
    uint8_t *copy = storeBytes(record);
    Entry e{copy, lastBookmark_ + 1, rowid, std::move(record.side())};
    if (index >= 0 && index < Count()) {
        entries_.insert(entries_.begin() + index, std::move(e));
        sortedByBookmark_ = false;
    } else {
        entries_.push_back(std::move(e));
    }
    ++lastBookmark_;
}

void TFResult::DeleteRow(int index)
{
    if (index < 0 || index >= Count())
        return;
    freeRecords_.push_back(entries_[size_t(index)].record);
    entries_.erase(entries_.begin() + index);
}

void TFResult::ReplaceRow(int index, TRecord &&record)
{
    if (index < 0 || index >= Count())
        return;
    Entry &e = entries_[size_t(index)];
    assert(record.size() >= size_t(recordSize_));
    std::memcpy(e.record, record.data(), size_t(recordSize_));
    e.side = std::move(record.side());
}

const TSideValues *TFResult::SideValuesAt(int index) const
{
    return index >= 0 && index < Count() ? &entries_[size_t(index)].side : nullptr;
}

TRecord TFResult::CopyOfRow(int index) const
{
    assert(layout_ && index >= 0 && index < Count());
    return TRecord::CopyOf(*layout_, entries_[size_t(index)].record, &entries_[size_t(index)].side);
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
