// Encrypting, re-keying and decrypting whole databases with sqlite3_rekey.

#include "codec/CodecTestHooks.h"
#include "codec/SqliteKey.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/codec/IndependentCipher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <set>

using namespace torvik;
using codec::testhooks::FileRole;
using codec::testhooks::IoEvent;
using test::TestDb;

namespace {

const std::string kSqliteMagic("SQLite format 3\0", 16);

class Rekey : public ::testing::Test {
protected:
    void TearDown() override { codec::testhooks::clearAll(); }

    std::vector<std::string> plainRows() { return test::gameRowsOfFile(test::fixturePath("game-plain.db")); }

    void expectOpensOnlyWith(const QString &path, const std::string &password, const std::string &other)
    {
        {
            TestDb db(path, password);
            EXPECT_EQ(db.single("PRAGMA integrity_check"), "ok") << db.errmsg();
            EXPECT_EQ(test::gameRows(db), plainRows());
        }
        TestDb db(path, other);
        int rc = SQLITE_OK;
        db.single("SELECT count(*) FROM sqlite_master", &rc);
        EXPECT_EQ(rc, SQLITE_NOTADB) << "opened with '" << other << "'";
    }

    test::ScratchDir dir;
};

// The page offsets of every write the main database file receives.
class MainWrites {
public:
    MainWrites()
    {
        codec::testhooks::setIoHook([this](const IoEvent &e) {
            if (e.role == FileRole::MainDb && e.write)
                offsets.insert(e.offset);
            return SQLITE_OK;
        });
    }
    std::set<sqlite3_int64> offsets;
};

} // namespace

TEST_F(Rekey, EncryptsAPlainFileThatAnotherReaderDeciphers)
{
    const QString path = dir.copyFixture("game-plain.db");
    {
        TestDb db(path);
        ASSERT_EQ(db.rekey("123456"), SQLITE_OK) << db.errmsg();
        // The connection goes on reading and writing under the new key.
        EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
        EXPECT_EQ(db.single("PRAGMA temp_store"), "2");
    }
    const std::string bytes = test::readFileBytes(path);
    EXPECT_NE(bytes.substr(0, 16), kSqliteMagic);
    const QString deciphered = test::writeDecipheredCopy(dir, bytes, "123456");
    EXPECT_EQ(test::gameRowsOfFile(deciphered), plainRows());
    TestDb plain(deciphered);
    EXPECT_EQ(plain.single("PRAGMA integrity_check"), "ok");
    expectOpensOnlyWith(path, "123456", "");
}

TEST_F(Rekey, ChangesThePasswordAndTheOldOneNoLongerOpens)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    {
        TestDb db(path, "123456");
        ASSERT_EQ(db.rekey("new password"), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
    }
    expectOpensOnlyWith(path, "new password", "123456");
    const QString deciphered = test::writeDecipheredCopy(dir, test::readFileBytes(path), "new password");
    EXPECT_EQ(test::gameRowsOfFile(deciphered), plainRows());
}

TEST_F(Rekey, ToTheSamePasswordRewritesEveryPage)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::size_t pages = test::readFileBytes(path).size() / 1024;
    TestDb db(path, "123456");
    MainWrites writes;
    ASSERT_EQ(db.rekey("123456"), SQLITE_OK) << db.errmsg();
    std::set<sqlite3_int64> all;
    for (std::size_t p = 0; p < pages; ++p)
        all.insert(sqlite3_int64(p * 1024));
    EXPECT_EQ(writes.offsets, all);
    codec::testhooks::clearAll();
    expectOpensOnlyWith(path, "123456", "654321");
}

TEST_F(Rekey, DecryptsToAFileTheSqliteShellReads)
{
    const QString path = dir.copyFixture("game-plain.db");
    {
        TestDb db(path);
        ASSERT_EQ(db.rekey("p@ss"), SQLITE_OK) << db.errmsg();
    }
    {
        TestDb db(path, "p@ss");
        ASSERT_EQ(db.rekey(""), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(db.single("SELECT count(*) FROM Monster"), "6");
        // Decrypted means no codec: writes now reach the file in the clear.
        ASSERT_EQ(db.exec("UPDATE Magic SET MagName='AfterDecrypt' WHERE rowid=1"), SQLITE_OK);
    }
    const std::string bytes = test::readFileBytes(path);
    EXPECT_EQ(bytes.substr(0, 16), kSqliteMagic);
    EXPECT_NE(bytes.find("AfterDecrypt"), std::string::npos);

    const QString shell = QStandardPaths::findExecutable("sqlite3");
    if (shell.isEmpty())
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    QProcess run;
    run.start(shell, {path, "PRAGMA integrity_check; SELECT count(*) FROM StdItems; SELECT MagName FROM Magic "
                            "WHERE rowid=1;"});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(run.readAllStandardOutput().toStdString(), "ok\n25\nAfterDecrypt\n");
}

TEST_F(Rekey, AnEmptyPasswordOnAPlainFileWritesNothing)
{
    const QString path = dir.copyFixture("game-plain.db");
    const std::string before = test::readFileBytes(path);
    TestDb db(path);
    std::vector<IoEvent> io;
    codec::testhooks::setIoHook([&](const IoEvent &e) {
        io.push_back(e);
        return SQLITE_OK;
    });
    EXPECT_EQ(db.rekey(""), SQLITE_OK);
    EXPECT_EQ(sqlite3_rekey(db.handle(), nullptr, 5), SQLITE_OK);
    EXPECT_TRUE(io.empty()) << "the file was touched";
    EXPECT_EQ(test::readFileBytes(path), before);
    EXPECT_FALSE(QFile::exists(path + "-journal"));
}

TEST_F(Rekey, GivesAPlainFileOf4096BytePages1024BytePagesAndKeepsRowIds)
{
    const QString path = dir.path("big-pages.db");
    std::string rowsBefore;
    {
        TestDb db(path);
        ASSERT_EQ(db.exec("PRAGMA page_size=4096; CREATE TABLE t(a, b); INSERT INTO t VALUES (1,'one'),(2,'two'),"
                          "(3,'three'),(4,'four'); DELETE FROM t WHERE a IN (1, 3); INSERT INTO t VALUES (5, 'five')"),
                  SQLITE_OK);
        ASSERT_EQ(db.single("PRAGMA page_size"), "4096");
        rowsBefore = db.single("SELECT group_concat(rowid || ':' || b) FROM t");
        ASSERT_EQ(db.rekey("secret"), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(db.single("SELECT group_concat(rowid || ':' || b) FROM t"), rowsBefore);
    }
    EXPECT_EQ(rowsBefore, "2:two,4:four,5:five");
    EXPECT_FALSE(QFile::exists(path + "-pagesize"));
    const QString deciphered = test::writeDecipheredCopy(dir, test::readFileBytes(path), "secret");
    TestDb plain(deciphered);
    EXPECT_EQ(plain.single("PRAGMA page_size"), "1024");
    EXPECT_EQ(plain.single("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(plain.single("SELECT group_concat(rowid || ':' || b) FROM t"), rowsBefore);
}

TEST_F(Rekey, TakesAPlainWalFileOutOfWalModeFirst)
{
    const QString path = dir.copyFixture("game-plain.db");
    {
        TestDb db(path);
        ASSERT_EQ(db.single("PRAGMA journal_mode=WAL"), "wal");
        ASSERT_EQ(db.exec("UPDATE Evil SET rowid=rowid+100 WHERE rowid=1"), SQLITE_OK);
        ASSERT_TRUE(QFile::exists(path + "-wal"));
        ASSERT_EQ(db.rekey("secret"), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(db.single("PRAGMA journal_mode"), "delete");
        EXPECT_EQ(db.single("SELECT max(rowid) FROM Evil"), "101");
    }
    EXPECT_FALSE(QFile::exists(path + "-wal"));
    const QString deciphered = test::writeDecipheredCopy(dir, test::readFileBytes(path), "secret");
    TestDb plain(deciphered);
    EXPECT_EQ(plain.single("PRAGMA journal_mode"), "delete");
    EXPECT_EQ(plain.single("SELECT max(rowid) FROM Evil"), "101");
}

TEST_F(Rekey, EncryptsAnEmptyFileWithoutWritingIt)
{
    const QString path = dir.path("empty.db");
    {
        TestDb db(path);
        ASSERT_EQ(db.rekey("secret"), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(test::readFileBytes(path).size(), 0u);
        ASSERT_EQ(db.exec("CREATE TABLE t(x); INSERT INTO t VALUES(42)"), SQLITE_OK) << db.errmsg();
    }
    const std::string bytes = test::readFileBytes(path);
    EXPECT_EQ(bytes.size(), 2048u);
    EXPECT_NE(bytes.substr(0, 16), kSqliteMagic);
    TestDb db(path, "secret");
    EXPECT_EQ(db.single("SELECT x FROM t"), "42");
}

TEST_F(Rekey, RefusesWhileATransactionOrStatementIsOpen)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    const std::string message = "cannot change the encryption of a database while a transaction or statement is open";
    TestDb db(path, "123456");
    ASSERT_EQ(db.exec("BEGIN; UPDATE Evil SET rowid=rowid"), SQLITE_OK);
    EXPECT_EQ(db.rekey("other"), SQLITE_ERROR);
    EXPECT_EQ(db.errmsg(), message);
    ASSERT_EQ(db.exec("ROLLBACK"), SQLITE_OK);

    sqlite3_stmt *open = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), "SELECT Name FROM StdItems", -1, &open, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(open), SQLITE_ROW);
    EXPECT_EQ(db.rekey("other"), SQLITE_ERROR);
    EXPECT_EQ(db.errmsg(), message);
    // The open statement is unharmed and goes on.
    EXPECT_EQ(sqlite3_step(open), SQLITE_ROW);
    sqlite3_finalize(open);

    EXPECT_EQ(test::readFileBytes(path), before);
    EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
}

TEST_F(Rekey, RefusesWithoutARollbackJournalOnDisk)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    TestDb db(path, "123456");
    for (const std::string mode : {"off", "memory"}) {
        ASSERT_EQ(db.single("PRAGMA journal_mode=" + mode), mode);
        EXPECT_EQ(db.rekey("other"), SQLITE_ERROR);
        EXPECT_EQ(db.errmsg(), "cannot change the encryption of a database whose journal_mode is " + mode);
    }
    ASSERT_EQ(db.single("PRAGMA journal_mode=delete"), "delete");
    EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
}

TEST_F(Rekey, AWrongKeyFailsWithNotADatabaseAndChangesNothing)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    TestDb db(path, "wrong");
    EXPECT_EQ(db.rekey("other"), SQLITE_NOTADB);
    EXPECT_EQ(db.errmsg(), test::kNotADatabase);
    EXPECT_EQ(test::readFileBytes(path), before);
}

// Failures injected at each stage: before anything is written, half way
// through the rewrite of the database file, and in its journal.
struct InjectedFailure {
    const char *name;
    FileRole role;
    bool write;
    int nth; // fails the nth access of that kind
};

class RekeyFailure : public Rekey, public ::testing::WithParamInterface<InjectedFailure> {};

TEST_P(RekeyFailure, LeavesTheWholeFileUnderTheOldPassword)
{
    const InjectedFailure f = GetParam();
    for (const bool fromPlain : {false, true}) {
        SCOPED_TRACE(fromPlain ? "encrypting a plain file" : "re-keying an encrypted file");
        const std::string oldPassword = fromPlain ? "" : "123456";
        const QString path = dir.copyFixture(fromPlain ? "game-plain.db" : "game-encrypted-123456.db");
        TestDb db(path, oldPassword);
        ASSERT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
        int seen = 0;
        bool failed = false;
        codec::testhooks::setIoHook([&](const IoEvent &e) {
            if (e.role == f.role && e.write == f.write && e.amount == 1024 && ++seen == f.nth) {
                failed = true;
                return e.write ? SQLITE_IOERR_WRITE : SQLITE_IOERR_READ;
            }
            return SQLITE_OK;
        });
        const int rc = db.rekey("new password");
        codec::testhooks::clearAll();
        EXPECT_TRUE(failed);
        EXPECT_EQ(rc & 0xFF, SQLITE_IOERR) << db.errmsg();
        // The same connection still reads the file under its old key ...
        EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25") << db.errmsg();
        EXPECT_FALSE(QFile::exists(path + "-journal"));
        // ... and so does a new one, with no page left under the new key.
        {
            TestDb again(path, oldPassword);
            EXPECT_EQ(again.single("PRAGMA integrity_check"), "ok");
            EXPECT_EQ(test::gameRows(again), plainRows());
        }
        const std::string bytes = test::readFileBytes(path);
        const std::string plain = fromPlain ? bytes : test::decipherFile(bytes, oldPassword);
        const QString deciphered = dir.path("deciphered.db");
        test::writeFileBytes(deciphered, plain);
        EXPECT_EQ(test::gameRowsOfFile(deciphered), plainRows());
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, RekeyFailure,
                         ::testing::Values(InjectedFailure{"ReadingAnOldPage", FileRole::MainDb, false, 4},
                                           InjectedFailure{"JournalingAnOldPage", FileRole::Journal, true, 3},
                                           InjectedFailure{"WritingTheFirstNewPage", FileRole::MainDb, true, 1},
                                           InjectedFailure{"WritingANewPageHalfWay", FileRole::MainDb, true, 6}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Rekey, NoOtherConnectionCommitsBetweenTheTwoCopies)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    TestDb db(path, "123456");
    TestDb other(path, "123456");
    ASSERT_EQ(other.single("SELECT count(*) FROM Evil"), "3");
    int otherResult = SQLITE_OK;
    std::string readDuringGap;
    codec::testhooks::setRekeyCopyHook([&] {
        int rc = SQLITE_OK;
        readDuringGap = other.single("SELECT count(*) FROM Evil", &rc);
        EXPECT_EQ(rc, SQLITE_OK) << other.errmsg();
        otherResult = other.exec("INSERT INTO Evil SELECT * FROM Evil");
    });
    ASSERT_EQ(db.rekey("new password"), SQLITE_OK) << db.errmsg();
    EXPECT_EQ(readDuringGap, "3");
    EXPECT_EQ(otherResult, SQLITE_BUSY);
    codec::testhooks::clearAll();
    TestDb after(path, "new password");
    EXPECT_EQ(after.single("SELECT count(*) FROM Evil"), "3");
    // The lock is given back afterwards.
    EXPECT_EQ(after.exec("INSERT INTO Evil SELECT * FROM Evil"), SQLITE_OK) << after.errmsg();
}

TEST_F(Rekey, WaitsOutABusyFileAndThenFailsWithoutWriting)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    TestDb holder(path, "123456");
    ASSERT_EQ(holder.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    TestDb db(path, "123456");
    sqlite3_busy_timeout(db.handle(), 50);
    EXPECT_EQ(db.rekey("new password"), SQLITE_BUSY);
    EXPECT_EQ(holder.exec("ROLLBACK"), SQLITE_OK);
    EXPECT_EQ(test::readFileBytes(path), before);
    EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
}
