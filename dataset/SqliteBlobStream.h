#pragma once

// TSqliteBlobStream: an in-memory byte stream over a blob field of the
// current record. Reading copies the field's bytes in at creation; a stream
// that was written stores its whole content back into the record when it is
// destroyed.

#include "dataset/SqliteBaseQuery.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace torvik::dataset {

class TSqliteBlobStream {
public:
    TSqliteBlobStream(TField &field, TBlobStreamMode mode, TSqliteBaseQuery &dataset);
    ~TSqliteBlobStream();
    TSqliteBlobStream(const TSqliteBlobStream &) = delete;
    TSqliteBlobStream &operator=(const TSqliteBlobStream &) = delete;

    size_t Read(void *buffer, size_t count);
    size_t Write(const void *buffer, size_t count);
    int64_t Seek(int64_t position);
    int64_t Position() const { return position_; }
    int64_t Size() const { return int64_t(data_.size()); }
    void SetSize(int64_t size);
    bool Modified() const { return modified_; }
    // The whole content.
    const std::string &Bytes() const { return data_; }

private:
    TField &field_;
    TBlobStreamMode mode_;
    TSqliteBaseQuery &dataset_;
    std::string data_;
    int64_t position_ = 0;
    bool modified_ = false;
};

} // namespace torvik::dataset
