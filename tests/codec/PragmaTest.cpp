// The codec's pragmas ("key", "rekey", "hexkey", "hexrekey") and the settings
// a keyed connection refuses whichever schema a pragma names.

#include "codec/CodecTestHooks.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace torvik;
using test::TestDb;

namespace {

const std::string kSqliteMagic("SQLite format 3\0", 16);

class CodecPragmas : public ::testing::Test {
protected:
    void TearDown() override { codec::testhooks::clearAll(); }

    std::vector<std::string> plainRows() { return test::gameRowsOfFile(test::fixturePath("game-plain.db")); }

    int firstRead(TestDb &db)
    {
        int rc = SQLITE_OK;
        db.single("SELECT count(*) FROM sqlite_master", &rc);
        return rc;
    }

    test::ScratchDir dir;
};

} // namespace

TEST_F(CodecPragmas, KeyAndHexKeyOpenTheEncryptedFixture)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    for (const char *sql : {"PRAGMA key='123456'", "PRAGMA hexkey='313233343536'", "PRAGMA main.KEY=123456",
                            "PRAGMA HexKey='313233343536'"}) {
        TestDb db(path);
        ASSERT_EQ(db.exec(sql), SQLITE_OK) << sql << ": " << db.errmsg();
        EXPECT_EQ(test::gameRows(db), plainRows()) << sql;
    }
    for (const char *sql : {"PRAGMA key='654321'", "PRAGMA hexkey='313233343537'"}) {
        TestDb db(path);
        ASSERT_EQ(db.exec(sql), SQLITE_OK) << sql;
        EXPECT_EQ(firstRead(db), SQLITE_NOTADB) << sql;
    }
    EXPECT_EQ(test::readFileBytes(path), test::readFileBytes(test::fixturePath("game-encrypted-123456.db")));
}

TEST_F(CodecPragmas, RekeyAndHexRekeyChangeThePasswordAndAnEmptyOneDecrypts)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    {
        TestDb db(path);
        ASSERT_EQ(db.exec("PRAGMA key='123456'; PRAGMA rekey='new password'"), SQLITE_OK) << db.errmsg();
        EXPECT_EQ(db.single("SELECT count(*) FROM StdItems"), "25");
    }
    {
        TestDb old(path, "123456");
        EXPECT_EQ(firstRead(old), SQLITE_NOTADB);
        TestDb db(path, "new password");
        ASSERT_EQ(db.exec("PRAGMA hexrekey='6F74686572'"), SQLITE_OK) << db.errmsg(); // "other"
    }
    {
        TestDb db(path, "other");
        EXPECT_EQ(test::gameRows(db), plainRows());
        ASSERT_EQ(db.exec("PRAGMA rekey=''"), SQLITE_OK) << db.errmsg();
    }
    EXPECT_EQ(test::readFileBytes(path).substr(0, 16), kSqliteMagic);
    EXPECT_EQ(test::gameRowsOfFile(path), plainRows());
}

TEST_F(CodecPragmas, RefuseWhatTheyCannotDoAndChangeNothing)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    const std::string badHex = "a hexadecimal key needs two hexadecimal digits for every byte";
    struct Case {
        const char *password; // of the connection
        std::string sql;
        int code;
        std::string message;
    } cases[] = {
        {"", "PRAGMA hexkey='31323'", SQLITE_ERROR, badHex},
        {"123456", "PRAGMA hexrekey='3g'", SQLITE_ERROR, badHex},
        {"wrong", "PRAGMA rekey='other'", SQLITE_NOTADB, test::kNotADatabase},
        {"123456", "ATTACH '" + dir.path("aux.db").toStdString() + "' AS aux; PRAGMA aux.key='x'", SQLITE_ERROR,
         "only the main database of a connection takes a key"},
    };
    for (const Case &c : cases) {
        TestDb db(path, c.password);
        EXPECT_EQ(db.exec(c.sql), c.code) << c.sql;
        EXPECT_EQ(db.errmsg(), c.message) << c.sql;
    }
    EXPECT_EQ(test::readFileBytes(path), before);
    EXPECT_EQ(test::gameRowsOfFile(path, "123456"), plainRows());
}

TEST_F(CodecPragmas, AKeyedConnectionKeepsItsTemporaryFilesInMemoryWhicheverSchemaIsNamed)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string message = "an encrypted database keeps its temporary files in memory";
    TestDb db(path, "123456");
    ASSERT_EQ(db.exec("ATTACH '" + dir.path("aux.db").toStdString() + "' AS aux"), SQLITE_OK) << db.errmsg();
    for (const char *sql : {"PRAGMA temp_store=FILE", "PRAGMA main.temp_store=1", "PRAGMA temp.temp_store=file",
                            "PRAGMA temp.temp_store=DEFAULT", "PRAGMA aux.temp_store=0"}) {
        EXPECT_NE(db.exec(sql), SQLITE_OK) << sql;
        EXPECT_EQ(db.errmsg(), message) << sql;
        EXPECT_EQ(db.single("PRAGMA temp_store"), "2") << sql;
    }
    EXPECT_EQ(db.exec("PRAGMA temp.temp_store=MEMORY; PRAGMA aux.temp_store=2"), SQLITE_OK) << db.errmsg();

    // Temporary tables and sorts then touch no file of their own.
    std::vector<std::string> opened;
    codec::testhooks::setOpenHook([&](int flags, const char *name) {
        if (!(flags & SQLITE_OPEN_MAIN_JOURNAL))
            opened.push_back(name ? name : "(temporary)");
    });
    ASSERT_EQ(db.exec("CREATE TEMP TABLE scratch AS SELECT s.*, randomblob(2000) AS pad FROM StdItems s, Monster, "
                      "Evil; SELECT Name FROM scratch ORDER BY pad"),
              SQLITE_OK)
        << db.errmsg();
    EXPECT_TRUE(opened.empty()) << opened.front();

    // A plain connection keeps its free choice.
    TestDb plain(dir.copyFixture("game-plain.db"));
    EXPECT_EQ(plain.exec("PRAGMA temp.temp_store=FILE"), SQLITE_OK) << plain.errmsg();
    EXPECT_EQ(plain.single("PRAGMA temp_store"), "1");
}

TEST_F(CodecPragmas, EncryptingInPersistModeLeavesNoPlaintextInTheKeptJournal)
{
    const QString path = dir.copyFixture("game-plain.db");
    const QString journal = path + "-journal";
    TestDb db(path);
    ASSERT_EQ(db.single("PRAGMA journal_mode=PERSIST"), "persist");
    ASSERT_EQ(db.exec("UPDATE StdItems SET Price=Price+1"), SQLITE_OK);
    ASSERT_NE(test::readFileBytes(journal).find("sword"), std::string::npos) << "the test shows nothing";

    ASSERT_EQ(db.rekey("secret"), SQLITE_OK) << db.errmsg();
    EXPECT_EQ(db.single("PRAGMA journal_mode"), "persist");
    ASSERT_EQ(db.exec("UPDATE StdItems SET Price=Price+1; UPDATE Magic SET MagName=MagName"), SQLITE_OK);
    const std::string kept = test::readFileBytes(journal);
    EXPECT_FALSE(kept.empty());
    for (const char *plaintext : {"CREATE TABLE", "StdItems", "MagName", "sword"})
        EXPECT_EQ(kept.find(plaintext), std::string::npos) << plaintext;
}
