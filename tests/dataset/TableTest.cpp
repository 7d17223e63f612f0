#include "DatasetTestSupport.h"
#include "dataset/Errors.h"
#include "dataset/SqliteTable.h"
#include "tests/support/TestSupport.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

class Table : public TableOnFile {
protected:
    void SetUp() override { connectTo(dir.path("t.db")); }
    void openOn(const std::string &schemaAndRows, const std::string &name)
    {
        execRaw(path, schemaAndRows);
        table.setTableName(name);
        table.Open();
    }
};

} // namespace

TEST_F(Table, UpdateWritesEveryFieldByRowidInTheExactText)
{
    std::string rows = "create table StdItems (Idx INTEGER, Name CHAR(14), Stdmode INTEGER);";
    for (int i = 1; i <= 17; ++i)
        rows += "insert into StdItems values (" + std::to_string(i) + ", 'n" + std::to_string(i) + "', 5);";
    openOn(rows, "StdItems");
    table.Last();
    // Behind the dataset's back: the post must write the cached Stdmode again.
    execRaw(path, "update StdItems set Stdmode=99 where rowid=17");
    table.Edit();
    table.FieldByName("Name")->setAsString("changed");
    table.Post();
    EXPECT_EQ(table.LastTableSQL(),
              "update StdItems set \r\nIdx=:Idx,Name=:Name,Stdmode=:Stdmode \r\n where rowid='17'\r\n");
    EXPECT_EQ(queryRaw(path, "select Idx, Name, Stdmode from StdItems where rowid=17"),
              (std::vector<std::vector<std::string>>{{"17", "changed", "5"}}));
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "changed");
}

TEST_F(Table, NullFieldsAreWrittenAsNull)
{
    openOn("create table T (a INTEGER, b CHAR(5), c REAL); insert into T values (1, 'x', 2.5);", "T");
    table.Edit();
    table.FieldByName("b")->Clear();
    table.FieldByName("c")->setAsString("");
    table.Post();
    EXPECT_EQ(queryRaw(path, "select typeof(a), typeof(b), typeof(c) from T"),
              (std::vector<std::vector<std::string>>{{"integer", "null", "null"}}));
}

TEST_F(Table, InsertTextBindsEveryValue)
{
    openOn("create table TaoistPet (Name Char(20), Level INTEGER, HP INTEGER);", "TaoistPet");
    table.Append();
    table.FieldByName("Name")->setAsString("\xB9\xB7"); // GBK
    table.FieldByName("HP")->setAsInteger(300);
    table.Post();
    EXPECT_EQ(table.LastTableSQL(), "insert into TaoistPet (Name,Level,HP) values (:Name,:Level,:HP)");
    EXPECT_EQ(queryRaw(path, "select Name, Level, HP from TaoistPet", true),
              (std::vector<std::vector<std::string>>{{"text:\xB9\xB7", "null:NULL", "integer:300"}}));
}

TEST_F(Table, PrimaryAutoIncLetsTheEngineAssignTheKey)
{
    openOn("create table T (Idx INTEGER PRIMARY KEY, HP INTEGER, MP INTEGER); insert into T values (41, 1, 1);", "T");
    table.setPrimaryAutoInc(true);
    table.Append();
    table.FieldByName("Idx")->setAsInteger(5); // ignored: the engine assigns
    table.FieldByName("HP")->setAsInteger(7);
    table.Post();
    EXPECT_EQ(table.LastTableSQL(), "insert into T (Idx,HP,MP) values (null,:HP,:MP)");
    EXPECT_EQ(table.FieldByName("Idx")->AsInteger(), 42);
    EXPECT_EQ(table.RowidAt(1), 42);
    EXPECT_EQ(queryValue(path, "select HP from T where Idx=42"), "7");
}

TEST_F(Table, InsertIntoAnEmptyTableThenUpdateItAtOnce)
{
    openOn("create table T (a INTEGER, b CHAR(5)); insert into T values (0, 'gone'); delete from T;", "T");
    ASSERT_EQ(table.RecordCount(), 0);
    table.Insert();
    table.FieldByName("a")->setAsInteger(1);
    table.Post();
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(table.RecordCount(), 1);
    const int32_t rowid = table.RowidAt(0);
    EXPECT_EQ(std::to_string(rowid), queryValue(path, "select rowid from T"));
    table.Edit();
    table.FieldByName("b")->setAsString("now");
    table.Post();
    EXPECT_EQ(table.LastTableSQL().find(" where rowid='" + std::to_string(rowid) + "'") != std::string::npos, true);
    EXPECT_EQ(queryRaw(path, "select a, b from T"), (std::vector<std::vector<std::string>>{{"1", "now"}}));
}

TEST_F(Table, InsertInTheMiddleGoesBeforeTheCurrentRow)
{
    openOn("create table T (a INTEGER); insert into T values (1); insert into T values (3);", "T");
    table.setRecNo(2);
    table.Insert();
    table.Fields()[0]->setAsInteger(2);
    table.Post();
    EXPECT_EQ(table.RecNo(), 2);
    std::vector<int> order;
    for (table.First(); !table.Eof(); table.Next())
        order.push_back(table.Fields()[0]->AsInteger());
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(Table, DeleteByRowidOfTheLastAndOfTheOnlyRow)
{
    std::string rows = "create table Monster (Name CHAR(14));";
    for (int i = 1; i <= 12; ++i)
        rows += "insert into Monster values ('m" + std::to_string(i) + "');";
    openOn(rows, "Monster");
    table.Last();
    table.Delete();
    EXPECT_EQ(table.LastTableSQL(), "delete from Monster where rowid='12'\r\n");
    EXPECT_EQ(table.RecordCount(), 11);
    EXPECT_EQ(table.RecNo(), 11) << "the new last row is current";
    EXPECT_EQ(table.Fields()[0]->AsString(), "m11");
    EXPECT_EQ(queryValue(path, "select count(*) from Monster"), "11");
    execRaw(path, "delete from Monster where rowid<>1");
    table.Refresh();
    ASSERT_EQ(table.RecordCount(), 1);
    table.Delete();
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(queryValue(path, "select count(*) from Monster"), "0");
}

TEST_F(Table, ReadOnlyRefusesEveryWrite)
{
    openOn("create table T (a INTEGER); insert into T values (1);", "T");
    table.setReadOnly(true);
    const std::pair<std::function<void()>, const char *> cases[] = {
        {[&] { table.Delete(); }, "Cannot delete from a read-only dataset"},
        {[&] { table.Edit(); table.Fields()[0]->setAsInteger(2); table.Post(); }, "Cannot post into a read-only dataset"},
        {[&] { table.Cancel(); table.InsertRecord({"5"}); }, "Cannot write to a read-only dataset"},
        {[&] { table.AppendRecord({"5"}); }, "Cannot write to a read-only dataset"},
    };
    for (const auto &[action, message] : cases) {
        EXPECT_EQ(thrownMessage<ESqliteError>(action), message);
    }
    EXPECT_EQ(queryValue(path, "select group_concat(a) from T"), "1");
}

TEST_F(Table, RequiredFieldMustHaveAValue)
{
    openOn("create table T (a INTEGER, b INTEGER);", "T");
    table.FieldByName("b")->setRequired(true);
    table.FieldByName("b")->setDisplayLabel("\xCA\xFD\xC1\xBF");
    table.Append();
    table.FieldByName("a")->setAsInteger(1);
    EXPECT_EQ(thrownMessage<EDatabaseError>([&] { table.Post(); }), "\xCA\xFD\xC1\xBF is required.");
    EXPECT_EQ(table.State(), TDataSetState::dsInsert);
}

TEST_F(Table, FailingPostLeavesTheCacheAndTheEditStateUnchangedAndNoTransactionOpen)
{
    openOn("create table T (a INTEGER UNIQUE, b CHAR(4)); insert into T values (1, 'x'); insert into T values (2, 'y');",
           "T");
    table.setAutoCommit(true);
    table.setRecNo(2);
    table.Edit();
    table.FieldByName("a")->setAsInteger(1);
    const auto message = thrownMessage<EDatabaseError>([&] { table.Post(); });
    ASSERT_TRUE(message) << "no error";
    EXPECT_NE(message->find(kSqlMarker), std::string::npos);
    EXPECT_EQ(table.State(), TDataSetState::dsEdit);
    EXPECT_EQ(table.FieldByName("a")->AsInteger(), 1) << "the edit is still there to correct";
    EXPECT_NE(sqlite3_get_autocommit(db.Handle()), 0) << "the failed transaction was rolled back";
    table.Cancel();
    EXPECT_EQ(table.FieldByName("a")->AsInteger(), 2) << "the cache kept the stored value";
    table.Append();
    table.FieldByName("a")->setAsInteger(2);
    EXPECT_THROW(table.Post(), EDatabaseError);
    EXPECT_EQ(table.State(), TDataSetState::dsInsert);
    table.Cancel();
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.RecNo(), 2);
    table.Edit();
    table.FieldByName("b")->setAsString("z");
    table.Post();
    EXPECT_EQ(queryValue(path, "select b from T where a=2"), "z");
}

TEST_F(Table, AutoCommitWrapsWritesInTransactions)
{
    openOn("create table T (a INTEGER); insert into T values (1);", "T");
    table.setAutoCommit(true);
    table.setTransactionType("EXCLUSIVE");
    table.Edit();
    table.Fields()[0]->setAsInteger(5);
    table.Post();
    EXPECT_EQ(db.LastSQL(), "commit transaction");
    table.Delete();
    EXPECT_EQ(db.LastSQL(), "commit transaction");
    EXPECT_EQ(queryValue(path, "select count(*) from T"), "0");
}

TEST_F(Table, NameAndOrderChangesClose)
{
    openOn("create table T (a INTEGER);", "T");
    table.setOrderBy("");
    EXPECT_TRUE(table.Active()) << "the same order text keeps it open";
    table.setOrderBy("a");
    EXPECT_FALSE(table.Active());
    table.Open();
    table.setTableName("T");
    EXPECT_FALSE(table.Active()) << "the same name closes too";
}

TEST_F(Table, DisconnectedPostAndDeleteChangeNothing)
{
    openOn("create table T (a INTEGER); insert into T values (1);", "T");
    // A dataset of another owner stays open when its connection closes.
    TSqliteTable other;
    other.setConnection(&db);
    other.setTableName("T");
    other.Open();
    db.Close();
    other.Edit();
    other.Fields()[0]->setAsInteger(9);
    other.Post();
    EXPECT_EQ(other.Fields()[0]->AsInteger(), 1);
    other.Delete();
    EXPECT_EQ(other.RecordCount(), 1);
    EXPECT_EQ(queryValue(path, "select a from T"), "1");
}

TEST_F(Table, GameItemsOpenWithEveryColumnAndTheLongNameCut)
{
    db.setDatabase(dir.copyFixture("game-plain.db"));
    table.setTableName("StdItems");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 25);
    ASSERT_EQ(table.FieldCount(), 39);
    EXPECT_EQ(table.Fields()[0]->FieldName(), "Idx");
    EXPECT_EQ(table.Fields()[1]->DataType(), ftString);
    EXPECT_EQ(table.Fields()[1]->Size(), 14);
    bool sawLong = false;
    for (table.First(); !table.Eof(); table.Next()) {
        EXPECT_TRUE(table.FieldByName("Jin")->IsNull());
        EXPECT_LE(table.FieldByName("Name")->AsString().size(), 14u);
        sawLong = sawLong || table.FieldByName("Name")->AsString().size() == 14;
    }
    EXPECT_TRUE(sawLong);
    EXPECT_TRUE(table.Locate("Name", {"sword"}, 0));
    const int lower = table.RecNo();
    EXPECT_TRUE(table.Locate("Name", {"Sword"}, 0));
    EXPECT_NE(table.RecNo(), lower);
}

TEST_F(Table, Utf8ModeStoresUtf8AndGivesGbkBack)
{
    db.setCharacterEncoding(""); // empty selects UTF-8 mode
    openOn("create table T (Name CHAR(6), n INTEGER);", "T");
    ASSERT_TRUE(db.Utf8Mode());
    table.Append();
    table.FieldByName("Name")->setAsString("\xCD\xC0\xC1\xFA"); // 屠龙 in GBK
    table.Post();
    EXPECT_EQ(queryValue(path, "select Name from T"), "\xE5\xB1\xA0\xE9\xBE\x99");
    table.Refresh();
    EXPECT_EQ(table.FieldByName("Name")->AsString(), "\xCD\xC0\xC1\xFA");
}

TEST_F(Table, RecordWiderThanTheFetchBufferOfThePlatformKeepsItsBytes)
{
    const std::string big(35000, 'q');
    openOn("create table W (a CHAR(40000), b INTEGER); insert into W values ('" + big + "', 7);", "W");
    EXPECT_EQ(table.FieldByName("a")->AsString(), big);
    EXPECT_EQ(table.FieldByName("b")->AsInteger(), 7);
    table.Edit();
    table.FieldByName("b")->setAsInteger(8);
    table.Post();
    EXPECT_EQ(queryValue(path, "select length(a) || ',' || b from W"), "35000,8");
}

TEST_F(Table, PostsOfTheSameTextThousandsOfTimesAreCorrect)
{
    std::string rows = "create table T (a INTEGER, b CHAR(8)); begin;";
    for (int i = 0; i < 2000; ++i)
        rows += "insert into T values (" + std::to_string(i) + ", 'x');";
    openOn(rows + "commit;", "T");
    db.BeginExclusive();
    int n = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        table.Edit();
        table.FieldByName("a")->setAsInteger(n * 3);
        table.FieldByName("b")->setAsString(n % 2 ? "odd" : "");
        table.Post();
        ++n;
    }
    db.Commit();
    EXPECT_EQ(queryValue(path, "select sum(a) from T"), std::to_string(3 * 1999 * 2000 / 2));
    EXPECT_EQ(queryValue(path, "select count(*) from T where b is null"), "1000");
}

TEST_F(Table, PostingOneFieldLeavesALongNameAsTheFileHeldIt)
{
    connectTo(dir.copyFixture("game-plain.db"));
    table.setTableName("StdItems");
    table.Open();
    const std::string itemName = "select hex(Name) from StdItems where Idx=23";
    const std::string asStored = queryValue(path, itemName);
    ASSERT_EQ(asStored.size(), 36u) << "the fixture's 18-byte name in a CHAR(14) column";
    ASSERT_TRUE(table.Locate("Idx", {"23"}, 0));
    EXPECT_EQ(table.FieldByName("Name")->AsString().size(), 14u) << "it shows at its declared size";
    for (int price : {1234, 99}) { // the second post edits the row the first one cached
        table.Edit();
        table.FieldByName("Price")->setAsInteger(price);
        table.Post();
        EXPECT_EQ(queryValue(path, itemName), asStored);
        EXPECT_EQ(queryValue(path, "select Price from StdItems where Idx=23"), std::to_string(price));
    }

    // A text assigned to the field is cut to its size, on a whole character.
    const std::string tenCharacters = "\xB3\xAC\xB3\xA4\xC3\xFB\xD7\xD6\xB5\xC4\xC9\xF1\xC3\xD8\xB1\xA6\xCE\xEF\xCD\xC0";
    const std::pair<std::string, std::string> typed[] = {
        {tenCharacters, tenCharacters.substr(0, 14)},
        {"1" + tenCharacters, "1" + tenCharacters.substr(0, 12)}, // the 14th byte would begin a character
    };
    for (const auto &[text, stored] : typed) {
        table.Edit();
        table.FieldByName("Name")->setAsString(text);
        table.Post();
        EXPECT_EQ(queryValue(path, "select Name from StdItems where Idx=23"), stored);
        EXPECT_EQ(table.FieldByName("Name")->AsString(), stored);
    }
}
