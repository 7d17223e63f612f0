#pragma once

// Reads a rollback journal the way its file format lays it out: headers at
// sector boundaries, each followed by its records.

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::test {

struct JournalPage {
    std::uint32_t number;
    std::string image;
    bool checksumMatches; // against the image as stored
};

struct JournalRecords {
    std::vector<JournalPage> pages;
};

JournalRecords readJournal(const std::string &journal);

} // namespace torvik::test
