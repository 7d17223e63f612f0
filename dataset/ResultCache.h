#pragma once

// TFResult: every row of an open result, in memory. Records live in large
// blocks (no allocation per row); an index of entries gives each row's record,
// bookmark id and rowid by position in O(1). Each entry owns its row's side
// values (blob bytes, long texts as read), which its record's slots refer to.

#include "dataset/Record.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace torvik::dataset {

class TFResult {
public:
    // The layout (none for records without blob fields) must outlive the
    // cache: rows are copied out through it.
    TFResult(int recordSize, const TRecordLayout *layout);
    TFResult(const TFResult &) = delete;
    TFResult &operator=(const TFResult &) = delete;

    int RecordSize() const { return recordSize_; }
    int Count() const { return int(entries_.size()); }
    int LastBookmark() const { return lastBookmark_; }

    // The record moves in: its bytes are copied into the cache's blocks, its
    // side values taken over. A negative rowid stores the row's position.
    void AddRow(TRecord &&record, int32_t rowid);
    // Inserts at index (appends past the end); the rowid is stored as given.
    void InsertRow(int index, TRecord &&record, int32_t rowid);
    // Ignored outside 0 .. Count()-1. The row's side values go with it.
    void DeleteRow(int index);
    // The record moves in over a row's former one, whose side values go.
    void ReplaceRow(int index, TRecord &&record);

    uint8_t *RowAt(int index) const;
    const TSideValues *SideValuesAt(int index) const;
    // A deep copy of a row (see TRecord::CopyOf).
    TRecord CopyOfRow(int index) const;
    int32_t BookmarkAt(int index) const;
    int32_t RowidAt(int index) const;
    int IndexOfBookmark(int32_t id) const;

private:
    struct Entry {
        uint8_t *record;
        int32_t bookmark;
        int32_t rowid;
        TSideValues side;
    };
    uint8_t *allocateRecord();
    uint8_t *storeBytes(const TRecord &record);

    int recordSize_;
    const TRecordLayout *layout_;
    std::vector<Entry> entries_;
    std::vector<std::unique_ptr<uint8_t[]>> blocks_;
    size_t blockUsed_ = 0;
    size_t blockCapacity_ = 0;
    std::vector<uint8_t *> freeRecords_;
    int32_t lastBookmark_ = -1;
    bool sortedByBookmark_ = true; // ids ascend with position until a row is inserted in between
};

} // namespace torvik::dataset
