// torvik-db run as a process, the way a game master runs it on a server.

#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "exchange/TableExport.h"
#include "exchange/TableImport.h"
#include "exchange/TextFileLines.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/support/OpenAsEditor.h"
#include "tests/support/TestSupport.h"
#include "text/Gbk.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QThread>

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

// The editor's export and import of a table: the same code its window runs,
// over a table set up as the window sets up its own.
struct EditorTable {
    explicit EditorTable(const QString &path, const std::string &name)
    {
        test::openAsEditor(db, table, path, name);
    }
    QObject owner;
    dataset::TSqliteDB db{&owner};
    dataset::TSqliteTable table{&owner};
};

void exportLikeTheEditor(const QString &path, const std::string &name, const exchange::ExportOptions &options,
                         const QString &out)
{
    EditorTable t(path, name);
    exchange::NoProgress none;
    exchange::exportTable(t.table, name, options, nullptr, out, none);
}

void importLikeTheEditor(const QString &path, const std::string &name, const std::string &text, char separator)
{
    EditorTable t(path, name);
    exchange::TextFileLines lines(text);
    exchange::NoProgress none;
    exchange::inExclusiveImport(t.db, none, [&] { return exchange::importTextRows(t.table, lines, separator, none); });
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

TEST_F(TorvikDb, PrintsRawRowsAsStoredTextsJoinedBySemicolons)
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
    // The names are GBK: with --raw, bytes that are no UTF-8 come through unchanged.
    ASSERT_NE(expected.find_first_of("\x80\x81\xC0\xCD\xD0"), std::string::npos);
    const ProcessResult run = torvikDb({"sql", path, "--raw", QString::fromStdString(sql)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    // Without it, a UTF-8 terminal gets UTF-8.
    const ProcessResult decoded = torvikDb({"sql", path, QString::fromStdString(sql)});
    EXPECT_EQ(decoded.exitCode, 0) << decoded.err;
    EXPECT_EQ(decoded.out, text::gbkToUtf8(expected));
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
        {"export", path, "StdItems"},
        {"export", path, "StdItems", "out.txt", "--separator", "ab"},
        {"export", path, "StdItems", "out.txt", "--format", "csv"},
        {"import", path, "StdItems", "in.txt", "--paradox", "--separator", ","},
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
                                 "sql FILE [--password P] [--raw] \"STATEMENT\"", "check FILE [--password P]",
                                 "export FILE TABLE OUT [--separator C] [--titles] [--format text|xml|html] [--password P]",
                                 "import FILE TABLE IN [--separator C | --paradox] [--password P]"})
        EXPECT_NE(run.out.find(synopsis), std::string::npos) << synopsis;
}

TEST_F(TorvikDb, OptionValuesAreValuesAndHelpIsAnOption)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    const std::string before = test::readFileBytes(path);
    // "-h" given as the password is a (wrong) password, not a request for help.
    for (const QString &value : {QStringLiteral("-h"), QStringLiteral("--help")}) {
        const ProcessResult run = torvikDb({"encrypt", path, "--old-password", value, "--password", "x"});
        EXPECT_EQ(run.exitCode, 1) << value.toStdString();
        EXPECT_EQ(run.err, std::string(test::kNotADatabase) + "\n");
    }
    const ProcessResult help = torvikDb({"decrypt", path, "--password", "123456", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: torvik-db decrypt FILE --password P"), std::string::npos);
    EXPECT_EQ(test::readFileBytes(path), before); // help does nothing
}

TEST_F(TorvikDb, OpensExactlyThePathItIsGiven)
{
    const QString path = dir.copyFixture("game-plain.db", "noext");
    const ProcessResult run = torvikDb({"sql", path, "select count(*) from Evil"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "3\n");
    EXPECT_FALSE(QFile::exists(path + ".DB"));
}

TEST_F(TorvikDb, CheckSaysWhenAFileIsNoDatabase)
{
    for (const std::string &bytes : {std::string(), std::string("x"), std::string(100, 'x')}) {
        const QString path = dir.path(QString("short%1").arg(bytes.size()));
        test::writeFileBytes(path, bytes);
        for (const QStringList &args : {QStringList{"check", path}, QStringList{"check", path, "--password", "1"}}) {
            const ProcessResult run = torvikDb(args);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("is not a database"), std::string::npos) << run.err;
        }
    }
}

TEST_F(TorvikDb, NamesAStrayWriteAheadLog)
{
    const QString path = dir.copyFixture("game-encrypted-123456.db");
    test::writeFileBytes(path + "-wal", std::string(5000, '\x5A'));
    const ProcessResult run = torvikDb({"check", path, "--password", "123456"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find((path + "-wal").toStdString()), std::string::npos) << run.err;
}

TEST_F(TorvikDb, WaitsForALockAnotherProgramHolds)
{
    const QString path = dir.copyFixture("game-plain.db");
    TestDb server(path);
    ASSERT_EQ(server.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
    QProcess process;
    process.start(QStringLiteral(TORVIK_DB_EXE), {"sql", path, "select count(*) from Evil"});
    ASSERT_TRUE(process.waitForStarted());
    QThread::msleep(1000); // the companion meets the lock and waits
    ASSERT_EQ(server.exec("COMMIT"), SQLITE_OK);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "3\n");
}

TEST_F(TorvikDb, PrintsBytesThatAreNotGbkAsEscapes)
{
    const QString path = dir.copyFixture("game-plain.db");
    {
        TestDb db(path);
        ASSERT_EQ(db.exec("update Evil set Dress = x'CDC0FF41C1FA81' where rowid = 1"), SQLITE_OK);
    }
    const ProcessResult run = torvikDb({"sql", path, "select cast(Dress as text) from Evil where rowid = 1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(QString::fromStdString(run.out), QString::fromUtf8("\xE5\xB1\xA0\\xFFA\xE9\xBE\x99\\x81\n"));
}

TEST_F(TorvikDb, ExportWritesWhatTheEditorWritesAndImportAddsTheSameRows)
{
    const QString path = dir.copyFixture("game-plain.db");
    for (const std::string table : {"StdItems", "Monster", "Magic", "Evil", "TaoistPet"}) {
        const QString name = QString::fromStdString(table);
        const QString cliFile = dir.path(name + "-cli.txt");
        const QString coreFile = dir.path(name + "-editor.txt");
        const ProcessResult run =
            torvikDb({"export", path, name, cliFile, "--separator", "tab", "--titles"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        exportLikeTheEditor(path, table, {exchange::ExportType::Text, '\t', true}, coreFile);
        EXPECT_EQ(test::readFileBytes(cliFile), test::readFileBytes(coreFile)) << table;

        const QString byCli = dir.copyFixture("game-plain.db", name + "-a.db");
        const QString byEditor = dir.copyFixture("game-plain.db", name + "-b.db");
        const ProcessResult added = torvikDb({"import", byCli, name, cliFile, "--separator", "tab"});
        ASSERT_EQ(added.exitCode, 0) << added.err;
        const std::string count = test::TestDb(path).single("select count(*) from " + table);
        EXPECT_EQ(added.out, count + " rows added\n");
        importLikeTheEditor(byEditor, table, test::readFileBytes(cliFile), '\t');
        EXPECT_EQ(test::gameRowsOfFile(byCli), test::gameRowsOfFile(byEditor)) << table;
    }
    const ProcessResult xml = torvikDb({"export", path, "Evil", dir.path("evil.xml"), "--format", "xml"});
    ASSERT_EQ(xml.exitCode, 0) << xml.err;
    exportLikeTheEditor(path, "Evil", {exchange::ExportType::Xml, ' ', false}, dir.path("evil-editor.xml"));
    EXPECT_EQ(test::readFileBytes(dir.path("evil.xml")), test::readFileBytes(dir.path("evil-editor.xml")));
}

TEST_F(TorvikDb, ImportStopsAtARefusedRowKeepingTheRowsBefore)
{
    const QString path = dir.copyFixture("game-plain.db");
    const QString in = dir.path("bad.txt");
    test::writeFileBytes(in, ";title\r\na;1;2\r\nb;x;2\r\nc;3;4\r\n");
    const ProcessResult run = torvikDb({"import", path, "TaoistPet", in});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "1 row added\n");
    EXPECT_EQ(run.err.rfind(QString::fromUtf8("第3行：").toStdString(), 0), 0u) << run.err;
    EXPECT_EQ(test::TestDb(path).single("select count(*) from TaoistPet"), "4");
}

TEST_F(TorvikDb, ImportsAParadoxTableAndRefusesADamagedOne)
{
    const QString path = dir.copyFixture("game-plain.db");
    const ProcessResult run =
        torvikDb({"import", path, "StdItems", test::fixturePath("paradox/StdItems.DB"), "--paradox"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "4 rows added\n");
    const std::string before = test::readFileBytes(path);
    const QString damaged = dir.path("country.db");
    test::writeFileBytes(damaged, test::readFileBytes(test::fixturePath("paradox/country.db")).substr(0, 3000));
    const ProcessResult refused = torvikDb({"import", path, "StdItems", damaged, "--paradox"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find(QString::fromUtf8("无法读取Q7数据库文件").toStdString()), std::string::npos);
    EXPECT_EQ(test::readFileBytes(path), before);
}
