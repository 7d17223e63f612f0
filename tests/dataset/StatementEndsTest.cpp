// Which semicolons end statements, and what that means for the semicolon rule
// of ExecSQL and of a dataset's query.

#include "DatasetTestSupport.h"
#include "dataset/StatementEnds.h"

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

TEST(StatementEnds, OnlySemicolonsOutsideLiteralsQuotedNamesAndCommentsCount)
{
    struct Case {
        const char *sql;
        int ends;
    } cases[] = {
        {"select 1", 0},
        {"select 1;", 1},
        {"select 1; select 2;", 2},
        {"select 'a;b;c'", 0},
        {"select 'it''s;' ; select 2;", 2},
        {"select \"a;b\" from t", 0},
        {"select \"a\"\";\" from t;", 1},
        {"select [a;b] from t;", 1},
        {"select [a;b]];", 1}, // no doubling in […]: the first ] ends the name
        {"select `a;``;b` from t", 0},
        {"select 1 -- a; b;\n;", 1},
        {"select 1 /* a; b; */ ;", 1},
        {"select 1 - 1; select 2 / 1;", 2},
        {"select 'unterminated; ;", 0},
        {"select 1 /* unterminated; ;", 0},
        {"select 1 -- to the end; ;", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(countStatementEnds(c.sql, 100), c.ends) << c.sql;
    EXPECT_EQ(countStatementEnds(";;;;", 2), 2) << "counting stops at the limit";
}

class SemicolonRule : public TableOnFile {
protected:
    void SetUp() override
    {
        connectTo(dir.path("rule.db"));
        db.Open();
        db.ExecSQL("create table t (Name text)");
    }
};

TEST_F(SemicolonRule, SemicolonsInsideALiteralDoNotStopTheStatement)
{
    EXPECT_EQ(db.ExecSQL("insert into t values ('a;b;c')"), 0);
    EXPECT_EQ(db.ExecSQL("insert into t values (\"x;y;\");"), 0);
    EXPECT_EQ(queryValue(path, "select group_concat(Name, '|') from t"), "a;b;c|x;y;");

    table.setTableName("t");
    table.setFiltered(true);
    table.setFilter("Name='a;b;c'");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "a;b;c");

    EXPECT_EQ(db.ExecSQL("insert into t values ('1'); insert into t values ('2');"), 0);
    EXPECT_EQ(queryValue(path, "select count(*) from t"), "2") << "two statements without CREATE still run nothing";
}

} // namespace
