#include "DatasetTestSupport.h"
#include "dataset/Errors.h"
#include "dataset/Field.h"
#include "dataset/SqliteDB.h"
#include "dataset/UiHooks.h"
#include "tests/support/TestSupport.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

class ExecSql : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.path("exec.db");
        db.setDatabase(path);
        db.setCharacterEncoding("STANDARD");
        db.Open();
        setMessageHandler([this](const std::string &text) { messages.push_back(text); });
    }
    void TearDown() override { setMessageHandler(nullptr); }

    ScratchDir dir;
    QString path;
    TSqliteDB db;
    std::vector<std::string> messages;
};

TFieldDefs everyType()
{
    TFieldDefs defs;
    defs.Add({"i", ftInteger, 0, 0});
    defs.Add({"f", ftFloat, 0, 0});
    defs.Add({"c", ftCurrency, 0, 0});
    defs.Add({"s", ftString, 10, 0});
    defs.Add({"b", ftBoolean, 0, 0});
    defs.Add({"w", ftWideString, 8, 0});
    defs.Add({"d", ftDate, 0, 0});
    defs.Add({"dt", ftDateTime, 0, 0});
    defs.Add({"m", ftBlob, 0, 0});
    return defs;
}

} // namespace

TEST_F(ExecSql, BindsEveryFieldTypeByItsType)
{
    db.ExecSQL("create table t (i, f, c, s, b, w, d, dt, m)");
    TStandaloneRecord r(everyType());
    TFields &f = r.Fields();
    f.FieldByName("i")->setAsInteger(-42);
    f.FieldByName("f")->setAsFloat(1.25);
    f.FieldByName("c")->setAsFloat(9.5);
    f.FieldByName("s")->setAsString("\xCD\xC0\xC1\xFA" "abc");
    f.FieldByName("b")->setAsBoolean(true);
    f.FieldByName("w")->setAsString("\xC4\xBE\xBD\xA3xyz"); // 5 characters, 4 fit in 8 bytes
    f.FieldByName("d")->setAsFloat(41592);
    f.FieldByName("dt")->setAsFloat(41592.5);
    f.FieldByName("m")->setAsString(std::string("\x00\x01\x02", 3));
    EXPECT_EQ(db.ExecSQL("insert into t values (:i, :F, :c, :s, :b, :w, :d, :dt, :m)", &f), 0);
    const auto row = queryRaw(path, "select * from t", true).at(0);
    EXPECT_EQ(row[0], "integer:-42");
    EXPECT_EQ(row[1], "real:1.25");
    EXPECT_EQ(row[2], "real:9.5");
    EXPECT_EQ(row[3], "text:\xCD\xC0\xC1\xFA" "abc");
    EXPECT_EQ(row[4], "text:True");
    EXPECT_EQ(row[5], "text:\xE6\x9C\xA8\xE5\x89\x91xy"); // UTF-8 of the UTF-16 text, cut to 8 bytes
    EXPECT_EQ(row[6], "real:41592.0");
    EXPECT_EQ(row[7], "real:41592.5");
    EXPECT_EQ(row[8], std::string("blob:\x00\x01\x02", 8));
}

TEST_F(ExecSql, NullsBindAsNullEmptyTextsAsNullAndNullBlobsAsEmptyBlobs)
{
    db.ExecSQL("create table t (i, f, s, b, d, m, extra)");
    TStandaloneRecord r(everyType());
    TFields &f = r.Fields();
    f.FieldByName("s")->setAsString("");
    EXPECT_FALSE(f.FieldByName("s")->IsNull()) << "an empty text is a value";
    db.ExecSQL("insert into t values (:i, :f, :s, :b, :d, :m, ?)", &f);
    const auto row = queryRaw(path, "select * from t", true).at(0);
    EXPECT_EQ(row[0], "null:NULL");
    EXPECT_EQ(row[1], "null:NULL");
    EXPECT_EQ(row[2], "null:NULL");
    EXPECT_EQ(row[3], "null:NULL");
    EXPECT_EQ(row[4], "null:NULL");
    EXPECT_EQ(row[5], "blob:");
    EXPECT_EQ(row[6], "null:NULL") << "a nameless parameter stays unbound";
}

TEST_F(ExecSql, FailingStatementQuotesTheEngineMessageAndTheWholeText)
{
    const std::string sql = "insert into nowhere values (1)";
    EXPECT_EQ(thrownMessage<EDatabaseError>([&] { db.ExecSQL(sql); }),
              std::string("no such table: nowhere\r\n") + kSqlMarker + sql);
    const auto m = thrownMessage<EDatabaseError>([&] { db.ExecSQL("selec 1"); });
    ASSERT_TRUE(m) << "no error";
    const size_t lineBreak = m->find("\r\n");
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_EQ(m->substr(lineBreak + 2), std::string(kSqlMarker) + "selec 1");
    EXPECT_TRUE(db.Connected());
}

TEST_F(ExecSql, ConstraintFailureEndsTheStepLoopWithAnError)
{
    db.ExecSQL("create table t (a integer primary key)");
    db.ExecSQL("insert into t values (1)");
    // The second time the text runs from the kept statement: same error, same message.
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(thrownMessage<EDatabaseError>([&] { db.ExecSQL("insert into t values (1)"); }),
                  std::string("UNIQUE constraint failed: t.a\r\n") + kSqlMarker + "insert into t values (1)");
    }
    EXPECT_EQ(queryValue(path, "select count(*) from t"), "1");
}

TEST_F(ExecSql, SemicolonRuleRunsNothingUnlessTheTextCreates)
{
    db.ExecSQL("create table t (a)");
    EXPECT_EQ(db.ExecSQL("insert into t values (1);\r\n"), 0);
    EXPECT_EQ(db.ExecSQL("insert into t values (2); insert into t values (3);"), 0);
    EXPECT_EQ(queryValue(path, "select group_concat(a) from t"), "1") << "two statements, no CREATE: nothing runs";
    EXPECT_EQ(db.ExecSQL("create table x (a); create table y (b); insert into x values (7);"), 0);
    EXPECT_EQ(queryValue(path, "select a from x"), "7");
    EXPECT_EQ(queryValue(path, "select count(*) from y"), "0");
}

TEST_F(ExecSql, MissingParameterFieldShowsTheNameAndRunsNothing)
{
    db.ExecSQL("create table t (a integer)");
    db.ExecSQL("insert into t values (5)");
    TFieldDefs defs;
    defs.Add({"a", ftInteger, 0, 0});
    TStandaloneRecord r(defs);
    r.Fields()[0]->setAsInteger(9);
    EXPECT_EQ(db.ExecSQL("update t set a=:a where a=:Nope", &r.Fields()), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Nope not found");
    EXPECT_EQ(queryValue(path, "select a from t"), "5");
}

TEST_F(ExecSql, DoubleQuotedStringLiteralsWork)
{
    db.ExecSQL("create table t (Name text)");
    db.ExecSQL("insert into t values (\"abc\")");
    EXPECT_EQ(queryValue(path, "select Name from t"), "abc");
}

TEST_F(ExecSql, KeptStatementsBindTheCurrentValuesAndSurviveSchemaChanges)
{
    db.ExecSQL("create table t (a integer, b text)");
    TFieldDefs defs;
    defs.Add({"a", ftInteger, 0, 0});
    defs.Add({"b", ftString, 20, 0});
    TStandaloneRecord r(defs);
    const std::string insert = "insert into t values (:a, :b)";
    for (int i = 0; i < 3; ++i) {
        r.Fields()[0]->setAsInteger(i);
        if (i == 1)
            r.Fields()[1]->Clear();
        else
            r.Fields()[1]->setAsString(std::string("v").append(std::to_string(i)));
        db.ExecSQL(insert, &r.Fields());
    }
    db.ExecSQL("alter table t add column c integer");
    r.Fields()[0]->setAsInteger(3);
    db.ExecSQL(insert.substr(0, 14) + " (a, b) values (:a, :b)", &r.Fields());
    db.ExecSQL("create index ia on t (a)");
    r.Fields()[0]->setAsInteger(4);
    db.ExecSQL("insert into t (a, b) values (:a, :b)", &r.Fields());
    EXPECT_EQ(queryRaw(path, "select a, b from t order by a"),
              (std::vector<std::vector<std::string>>{
                  {"0", "v0"}, {"1", "NULL"}, {"2", "v2"}, {"3", "v2"}, {"4", "v2"}}));
}

TEST_F(ExecSql, GbkTextRoundTripsByteForByte)
{
    db.ExecSQL("create table t (s CHAR(30))");
    std::string all;
    for (int lead = 0x81; lead <= 0xFE; lead += 25)
        for (int trail = 0x40; trail <= 0xFE; trail += 60)
            if (trail != 0x7F)
                all += char(lead), all += char(trail);
    TFieldDefs defs;
    defs.Add({"s", ftString, 30, 0});
    TStandaloneRecord r(defs);
    r.Fields()[0]->setAsString(all.substr(0, 30));
    db.ExecSQL("insert into t values (:s)", &r.Fields());
    EXPECT_EQ(queryValue(path, "select s from t"), all.substr(0, 30));
}

TEST_F(ExecSql, Utf8ModeConvertsTheSqlTextAndStoresUtf8)
{
    TSqliteDB utf8;
    utf8.setDatabase(dir.path("utf8.db"));
    utf8.Open();
    ASSERT_TRUE(utf8.Utf8Mode());
    utf8.ExecSQL("create table t (s text)");
    utf8.ExecSQL("insert into t values ('\xCD\xC0\xC1\xFA')");
    EXPECT_EQ(queryValue(dir.path("utf8.db"), "select s from t"), "\xE5\xB1\xA0\xE9\xBE\x99");
}
