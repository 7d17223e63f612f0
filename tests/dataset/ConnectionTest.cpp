#include "DatasetTestSupport.h"
#include "dataset/Errors.h"
#include "dataset/SqliteDB.h"
#include "tests/support/TestSupport.h"
#include "text/Gbk.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

TEST(Connection, DefaultsAfterConstruction)
{
    TSqliteDB db;
    EXPECT_EQ(db.TimeOut(), 0);
    EXPECT_TRUE(db.CharacterEncoding().empty());
    EXPECT_TRUE(db.TransactionType().empty());
    EXPECT_TRUE(db.Database().isEmpty());
    EXPECT_EQ(db.DefaultExt(), ".DB");
    EXPECT_TRUE(db.DefaultDir().isEmpty());
    EXPECT_FALSE(db.Connected());
    EXPECT_FALSE(db.MustExist());
    EXPECT_EQ(db.InlineSQL(), nullptr);
    EXPECT_FALSE(db.ExecuteInlineSQL());
    EXPECT_EQ(db.Pragma(), nullptr);
    EXPECT_EQ(db.Handle(), nullptr);
    db.setDefaultExt("");
    EXPECT_EQ(db.DefaultExt(), ".DB");
}

TEST(Connection, DatabaseValueIsTrimmedAndGetsTheDefaultExtension)
{
    const std::pair<const char *, const char *> cases[] = {
        {"  game  ", "game.DB"},
        {"game.sqlite", "game.sqlite"},
        {"/tmp/dir.x/game", "/tmp/dir.x/game.DB"},
        {":MEMORY:", ":MEMORY:"},
        {" :memory: ", ":memory:"},
    };
    for (const auto &[in, out] : cases) {
        TSqliteDB db;
        db.setDatabase(in);
        EXPECT_EQ(db.Database().toStdString(), out) << in;
    }
}

TEST(Connection, ConnectsToMemoryAndReportsTheEngineVersion)
{
    TSqliteDB db;
    db.setDatabase(":MEMORY:");
    db.Open();
    ASSERT_TRUE(db.Connected());
    ASSERT_NE(db.Handle(), nullptr);
    EXPECT_EQ(db.Version(), sqlite3_libversion());
    EXPECT_EQ(db.ExecSQL("create table t (a integer)"), 0);
    db.Close();
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(db.Handle(), nullptr);
}

TEST(Connection, DefaultDirGetsASeparatorAndRelativeNamesResolveAgainstIt)
{
    ScratchDir dir;
    TSqliteDB db;
    db.setDefaultDir(QFileInfo(dir.path("x")).absolutePath());
    db.setDatabase("made");
    db.Open();
    EXPECT_TRUE(db.DefaultDir().endsWith('/'));
    EXPECT_TRUE(QFileInfo::exists(dir.path("made.DB"))) << "a missing file is created";
}

TEST(Connection, NameWithoutDirectoryOpensInTheWorkingDirectory)
{
    ScratchDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path(""));
    {
        TSqliteDB db;
        db.setDatabase("here");
        db.Open();
        db.ExecSQL("create table t (a)");
    }
    QDir::setCurrent(previous);
    EXPECT_TRUE(QFileInfo::exists(dir.path("here.DB")));
}

TEST(Connection, MustExistRefusesAMissingFileWithTheWorkedOutPath)
{
    ScratchDir dir;
    TSqliteDB db;
    db.setMustExist(true);
    db.setDatabase(dir.path("absent"));
    EXPECT_EQ(thrownMessage<EDatabaseError>([&] { db.Open(); }),
              "Database " + dir.path("absent.DB").toStdString() + " does not exist");
    EXPECT_FALSE(db.Connected());
    EXPECT_FALSE(QFileInfo::exists(dir.path("absent.DB")));
}

TEST(Connection, EmptyDatabaseIsRefused)
{
    TSqliteDB db;
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { db.Open(); }), "Missing database property");
}

TEST(Connection, InlineSqlRunsOnTheFirstConnectOnlyInsideATransaction)
{
    ScratchDir dir;
    const QString path = dir.path("inline.db");
    execRaw(path, "create table log (n integer)");
    TSqliteInlineSQL inlineSql;
    inlineSql.setSQL({"insert into log values (1);"});
    TSqliteDB db;
    db.setDatabase(path);
    db.setInlineSQL(&inlineSql);
    db.setExecuteInlineSQL(true);
    bool autocommitAfter = false;
    db.AfterConnect = [&](TSqliteDB &) {};
    db.Open();
    autocommitAfter = sqlite3_get_autocommit(db.Handle()) != 0;
    EXPECT_FALSE(db.ExecuteInlineSQL());
    EXPECT_EQ(db.LastSQL(), "commit transaction");
    db.Close();
    db.Open();
    db.Close();
    EXPECT_TRUE(autocommitAfter);
    EXPECT_EQ(queryValue(path, "select count(*) from log"), "1");
}

TEST(Connection, FailingInlineSqlIsRaisedOnceAndLeavesNoTransactionOpen)
{
    TSqliteInlineSQL inlineSql;
    inlineSql.setSQL({"insert into missing values (1);"});
    TSqliteDB db;
    db.setDatabase(":memory:");
    db.setInlineSQL(&inlineSql);
    db.setExecuteInlineSQL(true);
    EXPECT_THROW(db.Open(), EDatabaseError);
    EXPECT_TRUE(db.Connected());
    EXPECT_FALSE(db.ExecuteInlineSQL());
    EXPECT_NE(sqlite3_get_autocommit(db.Handle()), 0);
    db.Close();
    EXPECT_NO_THROW(db.Open());
}

TEST(Connection, InlineSqlComponentCopiesItsLinesAndIsForgottenWhenDestroyed)
{
    std::vector<std::string> lines = {"a"};
    TSqliteDB db;
    {
        TSqliteInlineSQL inlineSql;
        inlineSql.setSQL(lines);
        lines[0] = "b";
        EXPECT_EQ(inlineSql.SQL().at(0), "a");
        db.setInlineSQL(&inlineSql);
    }
    EXPECT_EQ(db.InlineSQL(), nullptr);
}

TEST(Connection, PragmasRunAtConnectInTheirOrder)
{
    TSqlitePragma pragma;
    pragma.setTempCacheSize(123);
    pragma.setSynchronous("OFF");
    pragma.setTempStore("MEMORY");
    EXPECT_EQ(pragma.Statements(),
              (std::vector<std::string>{"pragma cache_size=123", "pragma temp_store=MEMORY", "pragma synchronous=OFF"}));
    TSqliteDB db;
    db.setDatabase(":memory:");
    db.setPragma(&pragma);
    db.Open();
    char **table = nullptr;
    int rows = 0, cols = 0;
    sqlite3_get_table(db.Handle(), "pragma cache_size", &table, &rows, &cols, nullptr);
    ASSERT_EQ(rows, 1);
    EXPECT_STREQ(table[1], "123");
    sqlite3_free_table(table);
}

TEST(Connection, NotADatabaseTellsEncipheredFilesFromPlainOnes)
{
    ScratchDir dir;
    const struct {
        const char *fixture;
        bool expected;
    } cases[] = {{"game-encrypted-123456.db", true}, {"game-plain.db", false}};
    for (const auto &c : cases) {
        TSqliteDB db;
        db.setDatabase(dir.copyFixture(c.fixture));
        db.Open();
        EXPECT_EQ(db.NotADatabase(), c.expected) << c.fixture;
    }
    TSqliteDB fresh;
    fresh.setDatabase(dir.path("new.db"));
    fresh.Open();
    EXPECT_FALSE(fresh.NotADatabase());
}

TEST(Connection, EncipheredFileWithoutItsKeyFailsWithTheEncryptedMessage)
{
    ScratchDir dir;
    TSqliteDB db;
    db.setDatabase(dir.copyFixture("game-encrypted-123456.db"));
    db.Open();
    const auto message = thrownMessage<EDatabaseError>([&] { db.ExecSQL("update StdItems set Price=1"); });
    ASSERT_TRUE(message) << "an enciphered file was written without its key";
    EXPECT_EQ(*message, std::string("file is encrypted or is not a database\r\n") + torvik::text::utf8ToGbk("SQL语句:") +
                            "update StdItems set Price=1");
}

TEST(Connection, ColumnNamesOfATableInOrderAndOfAMissingTableNone)
{
    ScratchDir dir;
    TSqliteDB db;
    db.setDatabase(dir.copyFixture("game-plain.db"));
    std::vector<std::string> names = {"stale"};
    db.GetColumnNames("TaoistPet", names); // connects first
    ASSERT_TRUE(db.Connected());
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names.front(), "Name");
    db.GetColumnNames("StdItems", names);
    EXPECT_EQ(names.size(), 39u);
    db.GetColumnNames("NoSuchTable", names);
    EXPECT_TRUE(names.empty());
}

TEST(Connection, TimeOutReachesTheEngineWhileConnected)
{
    ScratchDir dir;
    const QString path = dir.path("busy.db");
    execRaw(path, "create table t (a)");
    TSqliteDB holder;
    holder.setDatabase(path);
    holder.Open();
    holder.BeginExclusive();

    TSqliteDB db;
    db.setDatabase(path);
    db.Open();
    db.setTimeOut(50);
    const auto message = thrownMessage<EDatabaseError>([&] { db.ExecSQL("insert into t values (1)"); });
    ASSERT_TRUE(message) << "a locked file must raise";
    EXPECT_EQ(message->rfind("database is locked\r\n", 0), 0u) << *message;
    holder.Rollback();
    EXPECT_EQ(db.ExecSQL("insert into t values (1)"), 0);
}

TEST(Connection, StartTransactionPicksTheKindIgnoringCase)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "begin transaction"},
        {"default", "begin transaction"},
        {"Deferred", "begin deferred transaction"},
        {"immediate", "begin immediate transaction"},
        {"EXCLUSIVE", "begin exclusive transaction"},
        {"other", "begin transaction"},
    };
    for (const auto &[kind, sql] : cases) {
        TSqliteDB db;
        db.setDatabase(":memory:");
        db.StartTransaction(kind);
        EXPECT_EQ(db.LastSQL(), sql) << kind;
        db.Rollback();
    }
    TSqliteDB db;
    db.setDatabase(":memory:");
    db.setTransactionType("immediate");
    db.StartTransaction();
    EXPECT_EQ(db.LastSQL(), "begin immediate transaction");
    EXPECT_THROW(db.BeginTransaction(), EDatabaseError) << "a second begin is refused by the engine";
}

namespace {
void twice(sqlite3_context *context, int, sqlite3_value **argv)
{
    sqlite3_result_int(context, 2 * sqlite3_value_int(argv[0]));
}
} // namespace

TEST(Connection, CreateFunctionAndCollationsWork)
{
    ScratchDir dir;
    const QString path = dir.path("f.db");
    TSqliteDB db;
    db.setDatabase(path);
    db.Open();
    EXPECT_EQ(db.CreateFunction("Twice", 1, twice), SQLITE_OK);
    db.ExecSQL("create table t (a integer, s text)");
    db.ExecSQL("insert into t values (Twice(21), 'b')");
    db.ExecSQL("insert into t values (1, 'A')");
    EXPECT_EQ(queryValue(path, "select a from t where s='b'"), "42");
    char **table = nullptr;
    int rows = 0, cols = 0;
    sqlite3_get_table(db.Handle(), "select s from t order by s collate systemnocase", &table, &rows, &cols, nullptr);
    ASSERT_EQ(rows, 2);
    EXPECT_STREQ(table[1], "A");
    EXPECT_STREQ(table[2], "b");
    sqlite3_free_table(table);
    sqlite3_get_table(db.Handle(), "select count(*) from t where s='a' collate systemnocase", &table, &rows, &cols,
                      nullptr);
    EXPECT_STREQ(table[1], "1");
    sqlite3_free_table(table);
    sqlite3_get_table(db.Handle(), "select count(*) from t where s='a' collate system", &table, &rows, &cols, nullptr);
    EXPECT_STREQ(table[1], "0");
    sqlite3_free_table(table);
}

TEST(Connection, CloseStatementOfNoneDoesNothing)
{
    TSqliteDB db;
    EXPECT_NO_THROW(db.CloseStatement(nullptr));
}
