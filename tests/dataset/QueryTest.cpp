#include "DatasetTestSupport.h"
#include "dataset/DataSource.h"
#include "dataset/Errors.h"
#include "dataset/SqliteTable.h"
#include "tests/support/TestSupport.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

class Query : public TableOnFile {
protected:
    void SetUp() override
    {
        connectTo(dir.path("q.db"));
        execRaw(path, "create table Items (Idx INTEGER, Name CHAR(10), Price INTEGER);"
                      "insert into Items values (1, 'abc', 10);"
                      "insert into Items values (2, 'a', 20);"
                      "insert into Items values (3, 'ABC', 30);"
                      "insert into Items values (4, 'abd', 40);"
                      "create table Empty (a INTEGER);");
        table.setTableName("Items");
    }
    std::vector<std::string> column(const char *name)
    {
        std::vector<std::string> out;
        for (table.First(); !table.Eof(); table.Next())
            out.push_back(table.FieldByName(name)->AsString());
        return out;
    }
};

} // namespace

TEST_F(Query, OpensWithBookmarkIdsInRowOrderThatStayWithTheirRows)
{
    table.Open();
    ASSERT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(table.RecNo(), 1);
    for (int n = 1; n <= 4; ++n) {
        table.setRecNo(n);
        EXPECT_EQ(table.GetBookmark(), TBookmark(n - 1));
    }
    table.setRecNo(2);
    const TBookmark second = table.GetBookmark();
    table.setRecNo(3);
    const TBookmark third = table.GetBookmark();
    table.Insert(); // before the third row
    table.FieldByName("Idx")->setAsInteger(9);
    table.Post();
    EXPECT_EQ(table.RecNo(), 3);
    EXPECT_EQ(table.GetBookmark(), TBookmark(4)) << "the next unused id";
    table.GotoBookmark(third);
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 3);
    EXPECT_EQ(table.RecNo(), 4);
    table.GotoBookmark(second);
    table.Delete();
    table.GotoBookmark(third);
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 3);
    EXPECT_FALSE(table.BookmarkValid(second));
    EXPECT_TRUE(table.BookmarkValid(third));
    EXPECT_EQ(table.CompareBookmarks(second, third), -1);
    EXPECT_EQ(table.CompareBookmarks(third, second), 1);
    EXPECT_EQ(table.CompareBookmarks(third, std::nullopt), 0);
    EXPECT_EQ(thrownMessage<EDatabaseError>([&] { table.GotoBookmark(second); }), "Bookmark not found");
}

TEST_F(Query, RecordNumberWritesAtTheBoundaries)
{
    table.Open();
    const std::pair<int, int> cases[] = {{5, 4}, {0, 1}, {-1, 1}, {6, 1}, {3, 3}, {100, 3}};
    table.setRecNo(1);
    for (const auto &[set, expected] : cases) {
        table.setRecNo(set);
        EXPECT_EQ(table.RecNo(), expected) << "set " << set;
    }
}

TEST_F(Query, EmptyResult)
{
    table.setTableName("Empty");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.RecNo(), 0);
    table.First();
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.Bof());
    table.Last();
    EXPECT_TRUE(table.Eof());
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_TRUE(table.Fields()[0]->IsNull());
    EXPECT_FALSE(table.GetBookmark().has_value());
    EXPECT_THROW(table.Delete(), EDatabaseError);
}

TEST_F(Query, NavigationSetsTheEndFlags)
{
    table.Open();
    EXPECT_EQ(column("Idx"), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecNo(), 4);
    table.Prior();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.RecNo(), 3);
    table.First();
    table.Prior();
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(table.RecNo(), 1);
}

TEST_F(Query, LocateWithPartialAndCaseInsensitiveOptions)
{
    table.Open();
    EXPECT_TRUE(table.Locate("Name", {"ab"}, loPartialKey));
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 1) << "abc matches, a is too short";
    EXPECT_FALSE(table.Locate("Name", {"ABD"}, 0));
    EXPECT_EQ(table.RecNo(), 4) << "without a match the last record stays current";
    EXPECT_TRUE(table.Locate("Name", {"ABD"}, loCaseInsensitive));
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 4);
    EXPECT_TRUE(table.Locate("Name", {"ABC"}, 0));
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 3);
    EXPECT_TRUE(table.Locate("Name;Price", {"ab", "40"}, loPartialKey));
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 4);
    EXPECT_FALSE(table.ControlsDisabled());
    EXPECT_EQ(table.Lookup("Idx", {"2"}, "Name;Price"), (std::vector<std::string>{"a", "20"}));
    EXPECT_TRUE(table.Lookup("Idx", {"7"}, "Name").empty());
}

TEST_F(Query, LimitOffsetAndOrderClauses)
{
    table.setMaxResults(10);
    table.setStartResult(20);
    table.Open();
    EXPECT_EQ(table.OpenedSQL(), "select *, rowid as rowid from Items limit 10 offset 20");
    table.setOrderBy("Idx");
    table.Open();
    EXPECT_EQ(table.OpenedSQL(), "select *, rowid as rowid from Items order by Idx limit 10 offset 20");
    table.Close();
    table.setMaxResults(0);
    table.setStartResult(2);
    table.setOrderBy("Idx desc");
    table.Open();
    EXPECT_EQ(table.MaxResults(), -1);
    EXPECT_EQ(table.OpenedSQL(), "select *, rowid as rowid from Items order by Idx desc limit -1 offset 2");
    EXPECT_EQ(column("Idx"), (std::vector<std::string>{"2", "1"}));
}

TEST_F(Query, FilterIsUsedOnlyWhenFiltered)
{
    table.setFilter("Price>15");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 4);
    table.setFiltered(true);
    EXPECT_EQ(table.RecordCount(), 4) << "takes effect at the next open";
    table.setFilter("Price>25"); // closes, stores, opens
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(table.LastTableSQL(), "select *, rowid as rowid from Items\r\n where Price>25\r\n");
    EXPECT_EQ(table.StatementText(), "select *, rowid as rowid from Items\r\n where Price>25");
    EXPECT_EQ(column("Idx"), (std::vector<std::string>{"3", "4"}));
    table.setFiltered(false);
    EXPECT_EQ(table.RecordCount(), 2) << "the rows stay until the next open";
    table.Refresh();
    EXPECT_EQ(table.RecordCount(), 4);
    table.setFiltered(true);
    table.Close();
    table.setFilter("");
    table.Open();
    EXPECT_EQ(table.StatementText(), "select *, rowid as rowid from Items");
}

TEST_F(Query, FilterWithASyntaxErrorFailsTheOpenWithTheStatement)
{
    table.setFiltered(true);
    table.setFilter("Name=");
    const auto message = thrownMessage<EDatabaseError>([&] { table.Open(); });
    ASSERT_TRUE(message) << "no error";
    EXPECT_NE(message->find(std::string("\r\n") + kSqlMarker + "select *, rowid as rowid from Items\r\n where Name="),
              std::string::npos)
        << *message;
    EXPECT_FALSE(table.Active());
    EXPECT_NE(sqlite3_get_autocommit(db.Handle()), 0);
}

TEST_F(Query, OpenWithoutConnectionOrTableIsRefused)
{
    TSqliteTable alone;
    alone.setTableName("Items");
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { alone.Open(); }), "no database connection");
    TSqliteTable unnamed;
    unnamed.setConnection(&db);
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { unnamed.Open(); }), "no table specified");
}

TEST_F(Query, BusyWithAnOnBusyHandlerEndsTheOpenWithTheRowsReadSoFar)
{
    table.Open(); // the connection knows the schema now
    table.Close();
    TSqliteDB holder;
    holder.setDatabase(path);
    holder.Open();
    holder.BeginExclusive();
    holder.ExecSQL("update Items set Price=0");
    int calls = 0;
    db.OnBusy = [&](TSqliteDB &) { ++calls; };
    EXPECT_NO_THROW(table.Open());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(table.RecordCount(), 0);
    table.Close();
    db.OnBusy = nullptr;
    EXPECT_THROW(table.Open(), EDatabaseError) << "busy without a handler is an error";
    EXPECT_FALSE(table.Active());
    holder.Rollback();
    EXPECT_NO_THROW(table.Open());
    EXPECT_EQ(table.RecordCount(), 4);
}

TEST_F(Query, UnidirectionalReadsForwardOnly)
{
    table.setUniDirectional(true);
    table.Open();
    EXPECT_EQ(table.RecordCount(), 0);
    std::vector<std::string> idx;
    for (; !table.Eof(); table.Next())
        idx.push_back(table.FieldByName("Idx")->AsString());
    EXPECT_EQ(idx, (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { table.Prior(); }),
              "operation PRIOR not allowed on unidirectional dataset");
    EXPECT_NO_THROW(table.GotoBookmark(123)) << "unknown bookmarks are ignored";
    table.Close();
    EXPECT_NO_THROW(db.Close());
}

TEST_F(Query, PlainQueryRunsItsStatementText)
{
    TSqliteBaseQuery query(&owner);
    query.setConnection(&db);
    query.setStatementText("select Name, Price*2 as Twice, Items.rowid as rowid from Items where Price>=:p");
    query.Params().Add("p").setAsInteger(30);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.FieldCount(), 2);
    EXPECT_EQ(query.Fields()[1]->AsString(), "60");
    EXPECT_EQ(query.RowidAt(1), 4);
    query.Refresh();
    EXPECT_EQ(query.RecordCount(), 2);
}

TEST_F(Query, ClosingTheConnectionClosesTheDatasetsOfItsOwner)
{
    table.Open();
    db.Close();
    EXPECT_FALSE(table.Active());
}

TEST_F(Query, DestroyingTheConnectionClosesAndClearsIt)
{
    auto *conn = new TSqliteDB;
    conn->setDatabase(path);
    TSqliteTable t;
    t.setConnection(conn);
    t.setTableName("Items");
    t.Open();
    delete conn;
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(t.Connection(), nullptr);
}

namespace {

class Detailed : public Query {
protected:
    void SetUp() override
    {
        Query::SetUp();
        execRaw(path, "create table Drops (Item INTEGER, What CHAR(10));"
                      "insert into Drops values (1, 'x'); insert into Drops values (1, 'y');"
                      "insert into Drops values (3, 'z');");
        source.setDataSet(&table);
        detail.setConnection(&db);
        detail.setTableName("Drops");
        detail.setMasterFields("Item=Idx");
        detail.setMasterSource(&source);
    }
    TDataSource source{&owner};
    TSqliteTable detail{&owner};
};

class NotSqlite : public TDataSet {
public:
    using TDataSet::TDataSet;

protected:
    void InternalOpen() override {}
    void InternalClose() override {}
    int CachedCount() const override { return 0; }
    const uint8_t *CachedRecord(int) const override { return nullptr; }
    int32_t CachedBookmark(int) const override { return -1; }
    int CachedIndexOfBookmark(int32_t) const override { return -1; }
    bool InternalPost() override { return false; }
    void InternalDelete() override {}
};

} // namespace

TEST_F(Detailed, DetailFollowsTheMasterRecord)
{
    table.Open();
    detail.Open();
    EXPECT_EQ(detail.OpenedSQL(), "select *, rowid as rowid from Drops where Item='1'");
    EXPECT_EQ(detail.RecordCount(), 2);
    ASSERT_EQ(table.Details().size(), 1u);
    table.Next();
    EXPECT_EQ(detail.MasterCondition(), "Item='2'");
    EXPECT_EQ(detail.RecordCount(), 0);
    table.Next();
    EXPECT_EQ(detail.RecordCount(), 1);
    EXPECT_EQ(detail.FieldByName("What")->AsString(), "z");
}

TEST_F(Detailed, LinkFieldsOfTheDetailReadTheMastersValue)
{
    table.Open();
    table.setRecNo(3);
    detail.Open();
    EXPECT_EQ(detail.FieldByName("Item")->AsString(), "3");
    EXPECT_EQ(detail.FieldByName("What")->AsString(), "z");
    table.setRecNo(2); // no drops: the link field still shows the master's key
    EXPECT_EQ(detail.RecordCount(), 0);
    EXPECT_EQ(detail.FieldByName("Item")->AsInteger(), 2);
}

TEST_F(Detailed, DetailInsertTakesTheMasterValue)
{
    table.Open();
    table.setRecNo(3);
    detail.Open();
    detail.Append();
    detail.FieldByName("What")->setAsString("new");
    detail.Post();
    EXPECT_EQ(detail.LastTableSQL(), "insert into Drops (Item,What) values ('3',:What)");
    EXPECT_EQ(queryValue(path, "select count(*) from Drops where Item=3"), "2");
}

TEST_F(Detailed, FilteredDetailJoinsTheConditionsWithAnd)
{
    table.Open();
    detail.setFiltered(true);
    detail.setFilter("What<>'x'");
    detail.Open();
    EXPECT_EQ(detail.OpenedSQL(), "select *, rowid as rowid from Drops\r\n where What<>'x' and Item='1'");
    EXPECT_EQ(detail.RecordCount(), 1);
}

TEST_F(Detailed, MasterErrors)
{
    table.Open();
    detail.setMasterFields("Item");
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { detail.Open(); }),
              "Syntax error: Masterfields not build of a=b;... pairs");
    EXPECT_FALSE(detail.Active());

    TDataSource empty;
    detail.setMasterSource(&empty);
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { detail.Open(); }), "master dataset undefined");

    NotSqlite other;
    TDataSource otherSource;
    otherSource.setDataSet(&other);
    detail.setMasterSource(&otherSource);
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { detail.Open(); }),
              "master dataset TDataSet is not of TSqliteBaseQuery type");

    TDataSource detailSource;
    detailSource.setDataSet(&detail);
    detail.setMasterSource(&source);
    EXPECT_EQ(thrownMessage<EDatabaseError>([&] { table.setMasterSource(&detailSource); }),
              "circular references are not allowed");
}
