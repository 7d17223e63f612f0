#pragma once

// Follows the records of a rollback journal as the engine writes or reads
// them, so that page images can be told from the framing around them.
//
// A record is a 4-byte page number, the page image and a 4-byte checksum, in
// that order; headers sit between runs of records. Size alone does not tell
// an image: a header can be written in page-sized chunks, right behind a
// checksum. Only a page-sized access that directly follows a page-number
// access is an image, and only the 4-byte access right behind an image is its
// checksum.

#include <sqlite3.h>

#include <cstdint>

namespace torvik::codec {

class JournalRecordTracker {
public:
    enum class Part { Other, PageImage, Checksum };

    // Classifies one access and moves on to what may follow it.
    Part next(sqlite3_int64 offset, int amount, int pageSize);
    void reset() { step_ = Step::Idle; }

    // The record checksum adds every 200th byte of the image; the engine sums
    // the image it holds (plain), the file holds the sum over the image as
    // stored (enciphered). These translate between the two for the image just
    // seen.
    void setImageSums(std::uint32_t engineSum, std::uint32_t storedSum);
    std::uint32_t toStored(std::uint32_t engineChecksum) const { return engineChecksum - engineSum_ + storedSum_; }
    std::uint32_t toEngine(std::uint32_t storedChecksum) const { return storedChecksum - storedSum_ + engineSum_; }

private:
    enum class Step { Idle, AfterPageNumber, AfterImage };
    Step step_ = Step::Idle;
    sqlite3_int64 expected_ = 0;
    std::uint32_t engineSum_ = 0;
    std::uint32_t storedSum_ = 0;
};

// The bytes of a page image that the record checksum samples, summed.
std::uint32_t sampledByteSum(const unsigned char *image, int pageSize);

std::uint32_t readBigEndian32(const void *bytes);
void writeBigEndian32(void *bytes, std::uint32_t value);

} // namespace torvik::codec
