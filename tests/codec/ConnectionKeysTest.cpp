// The connection's SetKey and Rekey, as the database window and the
// encryption commands use them.

#include "dataset/SqliteDB.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/support/TestSupport.h"
#include "text/Gbk.h"

#include <gtest/gtest.h>

using namespace torvik;
using dataset::TSqliteDB;

namespace {

class ConnectionKeys : public ::testing::Test {
protected:
    // Opens the way the database window does: connect, then the key.
    std::unique_ptr<TSqliteDB> open(const QString &path, const std::string &password)
    {
        auto db = std::make_unique<TSqliteDB>();
        db->setCharacterEncoding("STANDARD");
        db->setDatabase(path);
        db->Open();
        EXPECT_TRUE(db->SetKey(password));
        return db;
    }
    test::ScratchDir dir;
};

} // namespace

TEST_F(ConnectionKeys, SetKeyOpensAnEncryptedFileAndAWrongOneIsFoundByTheProbe)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    EXPECT_FALSE(open(path, "123456")->NotADatabase());
    EXPECT_TRUE(open(path, "654321")->NotADatabase());
    // An empty password keys nothing: the encrypted file stays unreadable.
    EXPECT_TRUE(open(path, "")->NotADatabase());
    EXPECT_FALSE(open(dir.copyFixture("game-plain.db"), "")->NotADatabase());
}

TEST_F(ConnectionKeys, RekeyEncryptsWithTheGbkBytesAndAnEmptyPasswordDecrypts)
{
    const QString path = dir.copyFixture("game-plain.db");
    const std::string password = text::toGbk(QString::fromUtf8("新密码"));
    {
        auto db = open(path, "");
        ASSERT_TRUE(db->Rekey(password));
    }
    const QString deciphered = test::writeDecipheredCopy(dir, test::readFileBytes(path), password);
    EXPECT_EQ(test::gameRowsOfFile(deciphered), test::gameRowsOfFile(test::fixturePath("game-plain.db")));
    {
        auto db = open(path, password);
        ASSERT_FALSE(db->NotADatabase());
        ASSERT_TRUE(db->Rekey(""));
    }
    EXPECT_FALSE(open(path, "")->NotADatabase());
    EXPECT_EQ(test::readFileBytes(path).substr(0, 15), "SQLite format 3");
}

TEST_F(ConnectionKeys, RekeyAnswersFalseWhenTheEngineRefuses)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    auto db = open(path, "wrong");
    EXPECT_FALSE(db->Rekey("other"));
    EXPECT_EQ(test::readFileBytes(path), before);
}
