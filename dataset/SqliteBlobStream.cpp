#include "dataset/SqliteBlobStream.h"

#include <algorithm>
#include <cassert>

namespace torvik::dataset {

TSqliteBlobStream::TSqliteBlobStream(TField &field, TBlobStreamMode mode, TSqliteBaseQuery &dataset)
    : field_(field), mode_(mode), dataset_(dataset)
{
    if (mode_ != TBlobStreamMode::bmWrite) {
        if (const uint8_t *record = dataset_.ActiveRecord()) {
            if (const std::string *blob = TRecordLayout::Blob(record, field_.Slot()))
                data_ = *blob;
        }
    }
    position_ = 0;
}

TSqliteBlobStream::~TSqliteBlobStream()
{
    if (!modified_ || !dataset_.Active())
        return;
    uint8_t *record = dataset_.BlobStoreRecord();
    if (!record)
        return;
    // Every blob slot of a record refers to bytes of its own.
    std::string *blob = TRecordLayout::Blob(record, field_.Slot());
    assert(blob);
    *blob = std::move(data_);
    TRecordLayout::SetHasValue(record, field_.Slot(), true);
}

size_t TSqliteBlobStream::Read(void *buffer, size_t count)
{
    const size_t available = position_ < Size() ? size_t(Size() - position_) : 0;
    const size_t n = std::min(count, available);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += int64_t(n);
    return n;
}

size_t TSqliteBlobStream::Write(const void *buffer, size_t count)
{
    if (size_t(position_) + count > data_.size())
        data_.resize(size_t(position_) + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += int64_t(count);
    modified_ = true;
    if (dataset_.State() == TDataSetState::dsEdit || dataset_.State() == TDataSetState::dsInsert)
        dataset_.setModified();
    return count;
}

int64_t TSqliteBlobStream::Seek(int64_t position)
{
    position_ = std::max<int64_t>(0, position);
    return position_;
}

void TSqliteBlobStream::SetSize(int64_t size)
{
    data_.resize(size_t(std::max<int64_t>(0, size)));
    position_ = std::min(position_, Size());
    modified_ = true;
}

} // namespace torvik::dataset
