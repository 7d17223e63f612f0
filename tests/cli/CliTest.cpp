// torvik-db run as a process, the way a game master runs it on a server.

#include "tests/codec/CodecTestDb.h"
#include "tests/support/TestSupport.h"
#include "text/Gbk.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace torvik;
using test::TestDb;

namespace {

struct ProcessResult {
    int exitCode;
    std::string out;
    std::string err;
};

ProcessResult torvikDb(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(TORVIK_DB_EXE), args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        ADD_FAILURE() << "torvik-db did not finish";
        return {-1, {}, {}};
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

const QString kChinesePassword = QString::fromUtf8("密码口令");

class TorvikDb : public ::testing::Test {
protected:
    test::ScratchDir dir;
};

} // namespace

TEST_F(TorvikDb, CountsTheRowsOfAnEncryptedFileOnlyWithItsPassword)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const QString query = "select count(*) from StdItems";
    const ProcessResult ok = torvikDb({"sql", path, "--password", "123456", query});
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(ok.out, "25\n");

    for (const QStringList &args : {QStringList{"sql", path, query}, QStringList{"sql", path, "--password", "12345", query}}) {
        const ProcessResult failed = torvikDb(args);
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_EQ(failed.out, "");
        EXPECT_EQ(failed.err, "file is encrypted or is not a database\n");
    }
}

TEST_F(TorvikDb, PrintsRowsAsStoredTextsJoinedBySemicolons)
{
    const QString path = dir.copyFixture("game-plain.db");
    const std::string sql = "SELECT Idx, Name, Jin FROM StdItems WHERE rowid <= 3 ORDER BY rowid";
    std::string expected;
    {
        TestDb db(path);
        for (const test::Row &row : db.rows(sql)) {
            for (std::size_t c = 0; c < row.size(); ++c)
                expected += (c ? ";" : "") + (row[c] == "<null>" ? std::string() : row[c]);
            expected += "\n";
        }
    }
    // The names are GBK: bytes that are no UTF-8 must come through unchanged.
    ASSERT_NE(expected.find_first_of("\x80\x81\xC0\xCD\xD0"), std::string::npos);
    const ProcessResult run = torvikDb({"sql", path, QString::fromStdString(sql)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

TEST_F(TorvikDb, MatchesStoredGbkTextWithAStatementTypedInUtf8)
{
    const QString path = dir.copyFixture("game-plain.db");
    std::string name;
    {
        TestDb db(path);
        name = db.single("SELECT Name FROM StdItems WHERE rowid=1");
    }
    const QString typed = text::fromGbk(name); // as a UTF-8 terminal would pass it
    const ProcessResult run = torvikDb({"sql", path, "SELECT rowid FROM StdItems WHERE Name='" + typed + "'"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\n");
}

TEST_F(TorvikDb, EncryptsWithTheGbkBytesOfAChinesePassword)
{
    const QString path = dir.copyFixture("game-plain.db");
    const ProcessResult run = torvikDb({"encrypt", path, "--password", kChinesePassword});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::string gbk = text::toGbk(kChinesePassword);
    const std::string utf8 = kChinesePassword.toStdString();
    ASSERT_NE(gbk, utf8);
    const QString deciphered = test::writeDecipheredCopy(dir, test::readFileBytes(path), gbk);
    EXPECT_EQ(test::gameRowsOfFile(deciphered), test::gameRowsOfFile(test::fixturePath("game-plain.db")));
    {
        TestDb db(path, utf8);
        int rc = SQLITE_OK;
        db.single("SELECT count(*) FROM StdItems", &rc);
        EXPECT_EQ(rc, SQLITE_NOTADB);
    }
    const ProcessResult check = torvikDb({"check", path, "--password", kChinesePassword});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(check.out, "ok\n");
}

TEST_F(TorvikDb, ChangesThePasswordAndDecrypts)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    ProcessResult run = torvikDb({"encrypt", path, "--old-password", "123456", "--password", "fresh"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = torvikDb({"check", path, "--password", "123456"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "file is encrypted or is not a database\n");

    run = torvikDb({"decrypt", path, "--password", "fresh"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::readFileBytes(path).substr(0, 16), std::string("SQLite format 3\0", 16));
    EXPECT_EQ(test::gameRowsOfFile(path), test::gameRowsOfFile(test::fixturePath("game-plain.db")));
    run = torvikDb({"check", path});
    EXPECT_EQ(run.out, "ok\n");
}

TEST_F(TorvikDb, RefusesToEncryptAnEncryptedFileWithoutItsOldPassword)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    const ProcessResult run = torvikDb({"encrypt", path, "--password", "other"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "file is encrypted or is not a database\n");
    EXPECT_EQ(test::readFileBytes(path), before);
}

TEST_F(TorvikDb, CheckReportsADamagedFile)
{
    const QString path = dir.copyFixture("game-plain.db");
    std::string bytes = test::readFileBytes(path);
    for (std::size_t i = 3 * 1024 + 8; i < 4 * 1024; ++i)
        bytes[i] = char(0x5A);
    test::writeFileBytes(path, bytes);
    const ProcessResult run = torvikDb({"check", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
}

TEST_F(TorvikDb, ReportsTheEnginesMessageForABadStatementAndAMissingFile)
{
    const QString path = dir.copyFixture("game-plain.db");
    ProcessResult run = torvikDb({"sql", path, "select x from nowhere"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "no such table: nowhere\n");

    const QString missing = dir.path("missing.db");
    run = torvikDb({"check", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("does not exist"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(TorvikDb, WrongCommandLinesExitWithTwo)
{
    const QString path = dir.copyFixture("game-plain.db");
    const QStringList cases[] = {
        {},
        {"frobnicate", path},
        {"encrypt", path},
        {"encrypt", path, "--password", ""},
        {"decrypt", path},
        {"check"},
        {"check", path, "--pasword", "x"},
        {"sql", path},
        {"sql", path, "select 1; select 2"},
        {"sql", path, "--password"},
    };
    for (const QStringList &args : cases) {
        const ProcessResult run = torvikDb(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(TorvikDb, HelpDescribesEverySubcommand)
{
    const ProcessResult run = torvikDb({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char *synopsis : {"encrypt FILE --password P [--old-password O]", "decrypt FILE --password P",
                                 "sql FILE [--password P] \"STATEMENT\"", "check FILE [--password P]"})
        EXPECT_NE(run.out.find(synopsis), std::string::npos) << synopsis;
}
