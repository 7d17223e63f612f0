#pragma once

// TFResult: every row of an open result, in memory. Records live in large
// blocks (no allocation per row); an index of entries gives each row's record,
// bookmark id and rowid by position in O(1).

#include "dataset/RecordLayout.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace torvik::dataset {

class TFResult {
public:
    // The layout must outlive the cache: blob streams are freed through it.
    TFResult(int recordSize, const TRecordLayout *layout);
    ~TFResult();
    TFResult(const TFResult &) = delete;
    TFResult &operator=(const TFResult &) = delete;

    int RecordSize() const { return recordSize_; }
    int Count() const { return int(entries_.size()); }
    int LastBookmark() const { return lastBookmark_; }

    // Copies the record; a negative rowid stores the row's position instead.
    void AddRow(const uint8_t *record, int32_t rowid);
    // Inserts at index (appends past the end); the rowid is stored as given.
    void InsertRow(int index, const uint8_t *record, int32_t rowid);
    // Ignored outside 0 .. Count()-1. The row's blob streams are freed.
    void DeleteRow(int index);
    // Overwrites a row's record; the row's former blob streams are freed
    // unless the new record refers to the same ones.
    void ReplaceRow(int index, const uint8_t *record);

    uint8_t *RowAt(int index) const;
    int32_t BookmarkAt(int index) const;
    int32_t RowidAt(int index) const;
    int IndexOfBookmark(int32_t id) const;

private:
    struct Entry {
        uint8_t *record;
        int32_t bookmark;
        int32_t rowid;
    };
    uint8_t *allocateRecord();
    void releaseRecord(uint8_t *record);

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
