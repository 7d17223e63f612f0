#include "tests/codec/JournalFile.h"

#include <gtest/gtest.h>

namespace torvik::test {

namespace {

const std::string kMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);

std::uint32_t be32(const std::string &s, std::size_t at)
{
    const auto b = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(s[at + i])); };
    return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

} // namespace

JournalRecords readJournal(const std::string &journal)
{
    JournalRecords out;
    if (journal.size() < 28 || journal.compare(0, 8, kMagic) != 0) {
        ADD_FAILURE() << "no journal header";
        return out;
    }
    const std::size_t sector = be32(journal, 20);
    const std::size_t pageSize = be32(journal, 24);
    const std::size_t recordSize = pageSize + 8;
    std::size_t header = 0;
    while (header + 28 <= journal.size() && journal.compare(header, 8, kMagic) == 0) {
        std::uint32_t records = be32(journal, header + 8);
        const std::uint32_t nonce = be32(journal, header + 12);
        std::size_t at = header + sector;
        if (records == 0xFFFFFFFFu)
            records = std::uint32_t((journal.size() - at) / recordSize);
        for (std::uint32_t r = 0; r < records && at + recordSize <= journal.size(); ++r, at += recordSize) {
            JournalPage page{be32(journal, at + 0), journal.substr(at + 4, pageSize), false};
            std::uint32_t sum = nonce;
            for (std::size_t i = pageSize - 200; i > 0 && i < pageSize; i -= 200)
                sum += static_cast<unsigned char>(page.image[i]);
            page.checksumMatches = sum == be32(journal, at + 4 + pageSize);
            out.pages.push_back(std::move(page));
        }
        header = (at + sector - 1) / sector * sector;
    }
    return out;
}

} // namespace torvik::test
