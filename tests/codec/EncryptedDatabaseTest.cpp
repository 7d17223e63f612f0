// Reading and writing encrypted databases through the codec VFS.

#include "codec/CodecTestHooks.h"
#include "codec/SqliteKey.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/codec/IndependentCipher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace torvik;
using test::TestDb;

namespace {

class EncryptedDatabase : public ::testing::Test {
protected:
    void TearDown() override { codec::testhooks::clearAll(); }
    test::ScratchDir dir;
};

std::string plainHeader(const std::string &file)
{
    return file.substr(0, 16);
}

const std::string kSqliteMagic("SQLite format 3\0", 16);

} // namespace

TEST_F(EncryptedDatabase, OpensAFileEncipheredElsewhereOnlyWithItsPassword)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    {
        TestDb db(path, "123456");
        EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
        EXPECT_EQ(test::gameRows(db), test::gameRowsOfFile(test::fixturePath("game-plain.db")));
    }
    for (const std::string password : {"", "654321", "1234567"}) {
        TestDb db(path, password);
        int rc = SQLITE_OK;
        db.single("SELECT count(*) FROM StdItems", &rc);
        EXPECT_EQ(rc, SQLITE_NOTADB) << "password '" << password << "'";
        EXPECT_EQ(db.errmsg(), test::kNotADatabase);
    }
    EXPECT_EQ(test::readFileBytes(path), test::readFileBytes(test::fixturePath("game-encrypted-123456.db")));
}

TEST_F(EncryptedDatabase, AKeyOnAPlainFileFailsAtTheFirstRead)
{
    TestDb db(dir.copyFixture("game-plain.db"), "123456");
    int rc = SQLITE_OK;
    db.single("SELECT count(*) FROM StdItems", &rc);
    EXPECT_EQ(rc, SQLITE_NOTADB);
    EXPECT_EQ(db.errmsg(), test::kNotADatabase);
}

TEST_F(EncryptedDatabase, KeyArgumentsGiveTheDocumentedResults)
{
    TestDb db(dir.copyFixture("game-plain.db"));
    struct Case {
        const void *key;
        int length;
        int expected;
    } cases[] = {{nullptr, 6, SQLITE_OK}, {"123456", 0, SQLITE_OK}, {nullptr, -1, SQLITE_OK}, {"123456", -1, SQLITE_ERROR}};
    for (const Case &c : cases) {
        EXPECT_EQ(sqlite3_key(db.handle(), c.key, c.length), c.expected) << c.length;
        // None of them installs a key: the plain file still reads.
        EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
    }
}

TEST_F(EncryptedDatabase, AnEmptyPasswordLeavesAnInstalledKeyInPlace)
{
    TestDb db(dir.copyFixture("game-encrypted-123456.db"), "123456");
    EXPECT_EQ(db.key(""), SQLITE_OK);
    EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
}

TEST_F(EncryptedDatabase, EditsStayEncryptedAndReadable)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string marker = "EditedItemNameMarker";
    {
        TestDb db(path, "123456");
        ASSERT_EQ(db.exec("UPDATE StdItems SET Name='" + marker + "' WHERE rowid=3"), SQLITE_OK) << db.errmsg();
        ASSERT_EQ(db.exec("INSERT INTO Evil SELECT * FROM Evil"), SQLITE_OK) << db.errmsg();
        ASSERT_EQ(db.exec("CREATE TABLE Extra(x); INSERT INTO Extra VALUES(randomblob(3000))"), SQLITE_OK);
    }
    const std::string bytes = test::readFileBytes(path);
    EXPECT_NE(plainHeader(bytes), kSqliteMagic);
    EXPECT_EQ(bytes.find(marker), std::string::npos);
    EXPECT_EQ(bytes.size() % 1024, 0u);

    // Another reading of the format sees an ordinary database with the edits.
    const QString deciphered = test::writeDecipheredCopy(dir, bytes, "123456");
    TestDb plain(deciphered);
    EXPECT_EQ(plain.single("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(plain.single("SELECT Name FROM StdItems WHERE rowid=3"), marker);
    EXPECT_EQ(plain.single("SELECT count(*) FROM Evil"), "6");

    TestDb again(path, "123456");
    EXPECT_EQ(again.single("SELECT Name FROM StdItems WHERE rowid=3"), marker);
    EXPECT_EQ(again.single("PRAGMA integrity_check"), "ok");
}

TEST_F(EncryptedDatabase, HandsOutExactlyTheBytesAskedForFromAnyPartOfThePages)
{
    // The engine reads the header and the change counter in pieces, and may
    // read overflow content straight from the file: a few bytes up to a page
    // at a page-aligned offset.
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string plain = test::readFileBytes(test::fixturePath("game-plain.db"));
    TestDb db(path, "123456");
    ASSERT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
    sqlite3_file *file = nullptr;
    ASSERT_EQ(sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file), SQLITE_OK);
    struct Case {
        sqlite3_int64 offset;
        int amount;
    } cases[] = {{0, 100}, {24, 16}, {2048, 7}, {3072, 1020}, {1000, 100}, {5120, 1024}, {1024, 3072}, {4000, 3000}};
    for (const Case &c : cases) {
        std::string out(std::size_t(c.amount), '\0');
        ASSERT_EQ(file->pMethods->xRead(file, out.data(), c.amount, c.offset), SQLITE_OK);
        EXPECT_EQ(out, plain.substr(std::size_t(c.offset), std::size_t(c.amount))) << c.offset << "+" << c.amount;
    }
    // Past the end the platform's zero fill comes through as it is.
    std::string tail(2048, 'x');
    const sqlite3_int64 end = sqlite3_int64(plain.size());
    EXPECT_EQ(file->pMethods->xRead(file, tail.data(), 2048, end - 1024), SQLITE_IOERR_SHORT_READ);
    EXPECT_EQ(tail, plain.substr(plain.size() - 1024) + std::string(1024, '\0'));
    std::string partial(300, 'x');
    EXPECT_EQ(file->pMethods->xRead(file, partial.data(), 300, end - 100), SQLITE_IOERR_SHORT_READ);
    EXPECT_EQ(partial, plain.substr(plain.size() - 100) + std::string(200, '\0'));
}

TEST_F(EncryptedDatabase, LargeValuesRoundTripThroughOverflowPages)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    std::string blobHex;
    {
        TestDb db(path, "123456");
        ASSERT_EQ(db.exec("CREATE TABLE Big(b); INSERT INTO Big VALUES(randomblob(7000)), (randomblob(2500))"),
                  SQLITE_OK);
        blobHex = db.single("SELECT group_concat(hex(b)) FROM Big");
    }
    TestDb db(path, "123456");
    EXPECT_EQ(db.single("SELECT group_concat(hex(b)) FROM Big"), blobHex);
}

TEST_F(EncryptedDatabase, MemoryMappingIsNotUsedForKeyedFiles)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    TestDb db(path, "123456");
    ASSERT_EQ(db.exec("PRAGMA mmap_size=1000000"), SQLITE_OK);
    EXPECT_EQ(test::gameRows(db), test::gameRowsOfFile(test::fixturePath("game-plain.db")));
    EXPECT_EQ(db.single("PRAGMA integrity_check"), "ok");
}

TEST_F(EncryptedDatabase, EqualPagesGiveEqualCiphertextUnderOneKeyOnly)
{
    const QString first = dir.path("first.db");
    const QString second = dir.path("second.db");
    for (const auto &[path, password] : {std::pair{first, "alpha"}, std::pair{second, "beta"}}) {
        TestDb db(path, password);
        ASSERT_EQ(db.exec("CREATE TABLE a(x); CREATE TABLE b(x); INSERT INTO a VALUES('same row');"
                          "INSERT INTO b VALUES('same row')"),
                  SQLITE_OK)
            << db.errmsg();
        ASSERT_EQ(db.single("SELECT rootpage FROM sqlite_master WHERE name='b'"), "3");
    }
    const std::string one = test::readFileBytes(first);
    const std::string other = test::readFileBytes(second);
    ASSERT_EQ(one.size(), 3u * 1024);
    EXPECT_EQ(one.substr(1024, 1024), one.substr(2048, 1024));
    EXPECT_NE(one.substr(1024, 1024), other.substr(1024, 1024));
    const std::string plain = test::decipherFile(one, "alpha");
    EXPECT_EQ(plain.substr(1024, 1024), test::decipherFile(other, "beta").substr(1024, 1024));
}

TEST_F(EncryptedDatabase, AKeyedEmptyFileGetsEncipheredPagesOf1024Bytes)
{
    const QString path = dir.path("new.db");
    {
        TestDb db(path, "secret");
        ASSERT_EQ(db.exec("CREATE TABLE t(x); INSERT INTO t VALUES('hello')"), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(db.single("PRAGMA page_size"), "1024");
    }
    const std::string bytes = test::readFileBytes(path);
    EXPECT_EQ(bytes.size(), 2u * 1024);
    EXPECT_NE(plainHeader(bytes), kSqliteMagic);
    const QString deciphered = test::writeDecipheredCopy(dir, bytes, "secret");
    TestDb plain(deciphered);
    EXPECT_EQ(plain.single("SELECT x FROM t"), "hello");
}

TEST_F(EncryptedDatabase, RefusesSettingsThatWouldPutPagesOnDiskUnprotected)
{
    TestDb db(dir.copyFixture("game-encrypted-123456.db"), "123456");
    struct Case {
        const char *sql;
        const char *message;
    } cases[] = {
        {"PRAGMA journal_mode=WAL", "an encrypted database cannot use WAL mode"},
        {"PRAGMA main.journal_mode=wal", "an encrypted database cannot use WAL mode"},
        {"PRAGMA page_size=4096", "an encrypted database keeps 1024-byte pages"},
        {"PRAGMA temp_store=FILE", "an encrypted database keeps its temporary files in memory"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(db.exec(c.sql), SQLITE_ERROR) << c.sql;
        EXPECT_EQ(db.errmsg(), c.message);
    }
    EXPECT_EQ(db.single("PRAGMA journal_mode"), "delete");
    EXPECT_EQ(db.single("PRAGMA temp_store"), "2");
    EXPECT_EQ(db.exec("PRAGMA page_size=1024; PRAGMA journal_mode=TRUNCATE"), SQLITE_OK);
    EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
}

TEST_F(EncryptedDatabase, StatementJournalsAndTemporaryFilesStayInMemory)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    TestDb db(path, "123456");
    std::vector<int> opened;
    codec::testhooks::setOpenHook([&](int flags, const char *) { opened.push_back(flags); });
    // A statement inside a transaction that fails half way needs a statement
    // journal; enough of them spill past the engine's in-memory limit.
    ASSERT_EQ(db.exec("CREATE TABLE u(x UNIQUE); BEGIN; INSERT INTO u SELECT randomblob(500) FROM StdItems, Evil, "
                      "Monster"),
              SQLITE_OK)
        << db.errmsg();
    EXPECT_EQ(db.exec("INSERT INTO u SELECT randomblob(500) FROM StdItems, Evil, Monster UNION ALL SELECT x FROM u"),
              SQLITE_CONSTRAINT);
    ASSERT_EQ(db.exec("CREATE TEMP TABLE scratch AS SELECT * FROM u; SELECT x FROM u ORDER BY x; COMMIT"), SQLITE_OK);
    for (int flags : opened)
        EXPECT_TRUE(flags & SQLITE_OPEN_MAIN_JOURNAL) << "opened a file with flags " << std::hex << flags;
}
