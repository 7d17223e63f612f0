// Telling page images from the rest of a rollback journal.

#include "codec/JournalRecordTracker.h"

#include <gtest/gtest.h>

#include <vector>

using torvik::codec::JournalRecordTracker;
using Part = JournalRecordTracker::Part;

namespace {

struct Access {
    sqlite3_int64 offset;
    int amount;
    Part expected;
};

constexpr int kPage = 1024;

void follow(const std::vector<Access> &accesses)
{
    JournalRecordTracker tracker;
    for (std::size_t i = 0; i < accesses.size(); ++i)
        EXPECT_EQ(tracker.next(accesses[i].offset, accesses[i].amount, kPage), accesses[i].expected)
            << "access " << i << " at " << accesses[i].offset;
}

} // namespace

TEST(JournalRecords, FollowsRecordsBehindAHeader)
{
    follow({{0, 512, Part::Other},
            {512, 4, Part::Other},
            {516, kPage, Part::PageImage},
            {516 + kPage, 4, Part::Checksum},
            {520 + kPage, 4, Part::Other},
            {524 + kPage, kPage, Part::PageImage},
            {524 + 2 * kPage, 4, Part::Checksum}});
}

TEST(JournalRecords, APageSizedHeaderChunkRightBehindAChecksumIsNoImage)
{
    // With a sector as large as the page, the next header is written in
    // page-sized chunks and can start exactly where the last checksum ended.
    const sqlite3_int64 record = 4096;
    const sqlite3_int64 header = record + 4 + kPage + 4;
    follow({{record, 4, Part::Other},
            {record + 4, kPage, Part::PageImage},
            {record + 4 + kPage, 4, Part::Checksum},
            {header, kPage, Part::Other},
            {header + kPage, kPage, Part::Other},
            {header + 2 * kPage, 4, Part::Other},
            {header + 2 * kPage + 4, kPage, Part::PageImage}});
}

TEST(JournalRecords, AnImageMustSitRightBehindItsPageNumber)
{
    follow({{512, 4, Part::Other},
            {520, kPage, Part::Other},
            {600, 4, Part::Other},
            {604, 100, Part::Other},
            {704, kPage, Part::Other}});
}

TEST(JournalRecords, ChecksumTranslationRoundTrips)
{
    unsigned char plain[kPage] = {};
    unsigned char stored[kPage] = {};
    for (int i = 0; i < kPage; ++i) {
        plain[i] = static_cast<unsigned char>(i * 7);
        stored[i] = static_cast<unsigned char>(255 - i);
    }
    JournalRecordTracker tracker;
    tracker.setImageSums(torvik::codec::sampledByteSum(plain, kPage), torvik::codec::sampledByteSum(stored, kPage));
    const std::uint32_t nonce = 0xFFFFFFF0u; // wraps around on purpose
    const std::uint32_t engine = nonce + torvik::codec::sampledByteSum(plain, kPage);
    const std::uint32_t onDisk = tracker.toStored(engine);
    EXPECT_EQ(onDisk, nonce + torvik::codec::sampledByteSum(stored, kPage));
    EXPECT_EQ(tracker.toEngine(onDisk), engine);
}

TEST(JournalRecords, SamplesEvery200thByteFromTheEnd)
{
    unsigned char page[kPage] = {};
    for (int i : {824, 624, 424, 224, 24})
        page[i] = 1;
    page[0] = 100; // never sampled
    page[1023] = 100;
    EXPECT_EQ(torvik::codec::sampledByteSum(page, kPage), 5u);
}
