// A process killed in the middle of a transaction or a re-key leaves a hot
// journal; whoever opens the file next rolls it back, whatever key (or none)
// that connection holds, to exactly the bytes of before.

#include "codec/CodecTestHooks.h"
#include "codec/SqliteKey.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/codec/IndependentCipher.h"
#include "tests/codec/JournalFile.h"
#include "tests/codec/KilledProcess.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <functional>

using namespace torvik;
using codec::testhooks::FileRole;
using codec::testhooks::IoEvent;
using test::TestDb;

namespace {

struct Interruption {
    const char *name;
    const char *fixture;
    std::string password; // of the file before the interrupted change
    const char *uriParams;
    // What the doomed process does; it is killed at its killAt-th write of a
    // page to the database file.
    std::function<int(TestDb &)> work;
    int killAt;
};

// Runs the interruption's work in a child process killed at its killAt-th
// write of a page to the database file.
void runUntilKilled(const QString &path, const Interruption &in)
{
    test::runUntilKilled(
        [&] {
            TestDb db(path, in.password, in.uriParams);
            in.work(db);
        },
        [](const IoEvent &e) { return e.role == FileRole::MainDb && e.write; }, in.killAt);
}

class CrashRecovery : public ::testing::TestWithParam<Interruption> {
protected:
    test::ScratchDir dir;
};

} // namespace

TEST_P(CrashRecovery, AnyConnectionRollsTheHotJournalBackToTheOldBytes)
{
    const Interruption &in = GetParam();
    const QString path = dir.copyFixture(in.fixture);
    const std::string before = test::readFileBytes(path);
    const std::vector<std::string> rowsBefore = test::gameRowsOfFile(path, in.password);

    runUntilKilled(path, in);
    if (HasFatalFailure())
        return;
    const QString journalPath = path + "-journal";
    ASSERT_TRUE(QFile::exists(journalPath));
    const std::string crashedDb = test::readFileBytes(path);
    const std::string crashedJournal = test::readFileBytes(journalPath);
    EXPECT_NE(crashedDb, before) << "the kill came before any page reached the file";

    // The journal holds the old page images exactly as they were stored,
    // checksummed as stored: no plaintext page of an encrypted database.
    const test::JournalRecords records = test::readJournal(crashedJournal);
    ASSERT_FALSE(records.pages.empty());
    const std::string plainBefore = in.password.empty() ? before : test::decipherFile(before, in.password);
    for (const test::JournalPage &page : records.pages) {
        const std::size_t at = std::size_t(page.number - 1) * 1024;
        ASSERT_LE(at + 1024, before.size());
        EXPECT_EQ(page.image, before.substr(at, 1024)) << "page " << page.number;
        EXPECT_TRUE(page.checksumMatches) << "page " << page.number;
        if (!in.password.empty()) {
            EXPECT_NE(page.image, plainBefore.substr(at, 1024)) << "plaintext of page " << page.number;
        }
    }

    for (const std::string &opener : {std::string(), std::string("wrong password"), in.password}) {
        SCOPED_TRACE("opened with '" + opener + "'");
        test::writeFileBytes(path, crashedDb);
        test::writeFileBytes(journalPath, crashedJournal);
        {
            TestDb db(path, opener);
            int rc = SQLITE_OK;
            db.single("SELECT count(*) FROM sqlite_master", &rc);
            EXPECT_EQ(rc, opener == in.password ? SQLITE_OK : SQLITE_NOTADB) << db.errmsg();
        }
        EXPECT_EQ(test::readFileBytes(path), before);
        TestDb db(path, in.password);
        EXPECT_EQ(db.single("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(test::gameRows(db), rowsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Interruptions, CrashRecovery,
    ::testing::Values(
        Interruption{"Transaction", "game-encrypted-123456.db", "123456", nullptr,
                     [](TestDb &db) {
                         return db.exec("BEGIN; UPDATE StdItems SET Price=Price+1; INSERT INTO Monster SELECT * FROM "
                                        "Monster; DELETE FROM Magic; COMMIT");
                     },
                     3},
        // Page-sized journal header chunks (sector as large as a page) and
        // a cache so small that pages spill, with new headers, mid-way.
        Interruption{"SpillingTransaction", "game-encrypted-123456.db", "123456", "psow=0",
                     [](TestDb &db) {
                         return db.exec("PRAGMA cache_size=5; BEGIN; CREATE TABLE Filler(x); INSERT INTO Filler "
                                        "SELECT randomblob(300) FROM StdItems, Evil; UPDATE StdItems SET "
                                        "Name=Name||'x'; UPDATE Monster SET rowid=rowid+1000; COMMIT");
                     },
                     20},
        Interruption{"Rekey", "game-encrypted-123456.db", "123456", nullptr,
                     [](TestDb &db) { return db.rekey("new password"); }, 5},
        Interruption{"Decrypt", "game-encrypted-123456.db", "123456", nullptr,
                     [](TestDb &db) { return db.rekey(""); }, 7},
        Interruption{"Encrypt", "game-plain.db", "", nullptr, [](TestDb &db) { return db.rekey("new password"); },
                     4}),
    [](const auto &info) { return std::string(info.param.name); });
