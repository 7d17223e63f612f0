#include "codec/JournalRecordTracker.h"

namespace torvik::codec {

JournalRecordTracker::Part JournalRecordTracker::next(sqlite3_int64 offset, int amount, int pageSize)
{
    if (step_ == Step::AfterPageNumber && amount == pageSize && offset == expected_) {
        step_ = Step::AfterImage;
        expected_ = offset + pageSize;
        return Part::PageImage;
    }
    if (amount == 4) {
        if (step_ == Step::AfterImage && offset == expected_) {
            step_ = Step::Idle;
            return Part::Checksum;
        }
        step_ = Step::AfterPageNumber;
        expected_ = offset + 4;
        return Part::Other;
    }
    step_ = Step::Idle;
    return Part::Other;
}

void JournalRecordTracker::setImageSums(std::uint32_t engineSum, std::uint32_t storedSum)
{
    engineSum_ = engineSum;
    storedSum_ = storedSum;
}

std::uint32_t sampledByteSum(const unsigned char *image, int pageSize)
{
    std::uint32_t sum = 0;
    for (int i = pageSize - 200; i > 0; i -= 200)
        sum += image[i];
    return sum;
}

std::uint32_t readBigEndian32(const void *bytes)
{
    const auto *b = static_cast<const unsigned char *>(bytes);
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | std::uint32_t(b[3]);
}

void writeBigEndian32(void *bytes, std::uint32_t value)
{
    auto *b = static_cast<unsigned char *>(bytes);
    b[0] = static_cast<unsigned char>(value >> 24);
    b[1] = static_cast<unsigned char>(value >> 16);
    b[2] = static_cast<unsigned char>(value >> 8);
    b[3] = static_cast<unsigned char>(value);
}

} // namespace torvik::codec
