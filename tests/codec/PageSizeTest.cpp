// Files of every page size a database may have: plain ones with a hot
// journal opened under a key; plain ones encrypted (given the format's
// 1024-byte pages on the way), killed or failing at every write; and
// encrypted ones whose pages are not of the format's size.

#include "codec/CodecTestHooks.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/codec/IndependentCipher.h"
#include "tests/codec/KilledProcess.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace torvik;
using codec::testhooks::FileRole;
using codec::testhooks::IoEvent;
using test::TestDb;

namespace {

const std::string kNewPassword = "new password";

std::string pagesName(const ::testing::TestParamInfo<int> &info)
{
    return "Pages" + std::to_string(info.param);
}

int firstReadResult(const QString &path, const std::string &password)
{
    TestDb db(path, password);
    int rc = SQLITE_OK;
    db.single("SELECT count(*) FROM sqlite_master", &rc);
    return rc;
}

class PlainFileOfPageSize : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const QString original = test::plainGameCopy(dir, GetParam(), "original.db");
        before = test::readFileBytes(original);
        rows = test::gameRowsOfFile(original);
        path = dir.path("game.db");
        reset();
    }
    void TearDown() override { codec::testhooks::clearAll(); }

    void reset()
    {
        QFile::remove(path + "-journal");
        test::writeFileBytes(path, before);
    }

    // Either the old plain file, byte for byte, or the finished encrypted
    // one; never a file that a first password given, a wrong one included,
    // opens or takes over.
    void expectOldPlainOrEncrypted()
    {
        EXPECT_EQ(firstReadResult(path, "typo"), SQLITE_NOTADB);
        for (const QString &side : test::sideFiles(path))
            EXPECT_EQ(side, QString("game.db-journal")) << "a file beside the database";
        if (firstReadResult(path, "") == SQLITE_OK) {
            EXPECT_EQ(test::readFileBytes(path), before);
            EXPECT_EQ(test::gameRowsOfFile(path), rows);
            return;
        }
        TestDb db(path, kNewPassword);
        EXPECT_EQ(db.single("PRAGMA integrity_check"), "ok") << db.errmsg();
        EXPECT_EQ(test::gameRows(db), rows);
    }

    void encrypt()
    {
        TestDb db(path);
        db.rekey(kNewPassword);
    }

    test::ScratchDir dir;
    std::string before;
    std::vector<std::string> rows;
    QString path;
};

} // namespace

TEST_P(PlainFileOfPageSize, AKeyedFirstOpenRollsItsHotJournalBackToThePlainBytes)
{
    test::runUntilKilled(
        [&] {
            TestDb db(path);
            db.exec("BEGIN; UPDATE StdItems SET Price=Price+1; INSERT INTO Monster SELECT * FROM Monster; DELETE FROM "
                    "Magic; COMMIT");
        },
        [](const IoEvent &e) { return e.role == FileRole::MainDb && e.write; }, 2);
    if (HasFatalFailure())
        return;
    const QString journal = path + "-journal";
    ASSERT_TRUE(QFile::exists(journal));
    const std::string crashedDb = test::readFileBytes(path);
    const std::string crashedJournal = test::readFileBytes(journal);
    ASSERT_NE(crashedDb, before) << "the kill came before any page reached the file";

    for (const std::string &opener : {std::string("oops"), std::string("123456"), std::string()}) {
        SCOPED_TRACE("opened first with '" + opener + "'");
        test::writeFileBytes(path, crashedDb);
        test::writeFileBytes(journal, crashedJournal);
        EXPECT_EQ(firstReadResult(path, opener), opener.empty() ? SQLITE_OK : SQLITE_NOTADB);
        EXPECT_EQ(test::readFileBytes(path), before);
        EXPECT_FALSE(QFile::exists(journal));
        EXPECT_EQ(test::gameRowsOfFile(path), rows);
    }
}

TEST_P(PlainFileOfPageSize, IsEncryptedWith1024BytePagesKeepingItsRows)
{
    {
        TestDb db(path);
        ASSERT_EQ(db.rekey(kNewPassword), SQLITE_OK) << db.errmsg();
        // The connection goes on with the file as it now is.
        EXPECT_EQ(db.single("PRAGMA page_size"), "1024");
        EXPECT_EQ(test::gameRows(db), rows);
        ASSERT_EQ(db.exec("UPDATE Evil SET rowid=rowid+100 WHERE rowid=1"), SQLITE_OK) << db.errmsg();
    }
    EXPECT_TRUE(test::sideFiles(path).isEmpty()) << test::sideFiles(path).join(", ").toStdString();
    EXPECT_EQ(firstReadResult(path, ""), SQLITE_NOTADB);
    const QString deciphered = test::writeDecipheredCopy(dir, test::readFileBytes(path), kNewPassword);
    TestDb plain(deciphered);
    EXPECT_EQ(plain.single("PRAGMA page_size"), "1024");
    EXPECT_EQ(plain.single("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(plain.single("SELECT max(rowid) FROM Evil"), "101");
    ASSERT_EQ(plain.exec("UPDATE Evil SET rowid=rowid-100 WHERE rowid=101"), SQLITE_OK);
    EXPECT_EQ(test::gameRows(plain), rows);
}

TEST_P(PlainFileOfPageSize, AnEncryptKilledAtAnyWriteLeavesTheOldFileOrTheFinishedOne)
{
    const int writes = test::countWrites([&] { encrypt(); }, test::anyWrite);
    ASSERT_GT(writes, 3);
    for (int killAt = 1; killAt <= writes; ++killAt) {
        SCOPED_TRACE("killed at write " + std::to_string(killAt) + " of " + std::to_string(writes));
        reset();
        test::runUntilKilled([&] { encrypt(); }, test::anyWrite, killAt);
        if (HasFatalFailure())
            return;
        expectOldPlainOrEncrypted();
    }
}

TEST_P(PlainFileOfPageSize, AnEncryptWhoseWritesFailLeavesTheOldFile)
{
    const int writes = test::countWrites([&] { encrypt(); }, test::anyWrite);
    int failures = 0;
    for (const bool persistent : {false, true}) {
        for (int failAt = 1; failAt <= writes; ++failAt) {
            SCOPED_TRACE((persistent ? "every write failing from write " : "failing write ") + std::to_string(failAt));
            reset();
            {
                TestDb db(path);
                int seen = 0;
                codec::testhooks::setIoHook([&](const IoEvent &e) {
                    if (!e.write)
                        return SQLITE_OK;
                    ++seen;
                    return seen == failAt || (persistent && seen > failAt) ? SQLITE_IOERR_WRITE : SQLITE_OK;
                });
                const int rc = db.rekey(kNewPassword);
                codec::testhooks::clearAll();
                if (rc == SQLITE_OK)
                    continue; // an engine that shrugs a write off must still finish: checked below
                ++failures;
                // The same connection reads the old rows in the clear.
                EXPECT_EQ(test::gameRows(db), rows);
            }
            EXPECT_EQ(test::readFileBytes(path), before);
            EXPECT_TRUE(test::sideFiles(path).isEmpty()) << test::sideFiles(path).join(", ").toStdString();
        }
    }
    EXPECT_GT(failures, writes);
}

INSTANTIATE_TEST_SUITE_P(PageSizes, PlainFileOfPageSize, ::testing::Values(512, 1024, 2048, 4096, 65536), pagesName);

namespace {

class EncryptedFileOfPageSize : public ::testing::TestWithParam<int> {
protected:
    test::ScratchDir dir;
};

} // namespace

// Enciphered in 1024-byte blocks, the header deciphers to a page size the
// format cannot have: the engine would read and write pages the cipher does
// not cover, so nothing is read beyond the header and nothing is written.
TEST_P(EncryptedFileOfPageSize, IsRefusedWithItsPageSizeNamedAndLeftAsItIs)
{
    const QString path = dir.path("encrypted.db");
    test::writeFileBytes(path, test::encipherFile(test::readFileBytes(test::plainGameCopy(dir, GetParam())), "123456"));
    const std::string before = test::readFileBytes(path);
    const std::string message = "the encrypted database has " + std::to_string(GetParam())
                                + "-byte pages; an encrypted database must have 1024-byte pages";
    {
        TestDb db(path, "123456");
        for (const char *sql : {"SELECT count(*) FROM StdItems", "UPDATE StdItems SET Name='plaintext'",
                                "PRAGMA integrity_check"}) {
            EXPECT_EQ(db.exec(sql), SQLITE_CANTOPEN) << sql;
            EXPECT_EQ(db.errmsg(), message) << sql;
        }
        for (const std::string newPassword : {"other", ""}) {
            EXPECT_EQ(db.rekey(newPassword), SQLITE_CANTOPEN) << "re-key to '" << newPassword << "'";
            EXPECT_EQ(db.errmsg(), message);
        }
    }
    EXPECT_EQ(firstReadResult(path, "654321"), SQLITE_NOTADB);
    EXPECT_EQ(firstReadResult(path, ""), SQLITE_NOTADB);
    EXPECT_EQ(test::readFileBytes(path), before);
    EXPECT_TRUE(test::sideFiles(path).isEmpty()) << test::sideFiles(path).join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(PageSizes, EncryptedFileOfPageSize, ::testing::Values(512, 2048, 4096, 65536), pagesName);
