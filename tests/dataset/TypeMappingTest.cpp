#include "DatasetTestSupport.h"
#include "dataset/Errors.h"
#include "dataset/FieldDefs.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using torvik::test::thrownMessage;

namespace {

struct MappingCase {
    const char *declared;
    TFieldType type;
    int size;
    int precision;
};

const MappingCase kCases[] = {
    {"CHAR(14)", ftString, 14, 0},
    {"Char(20)", ftString, 20, 0},
    {"varchar(30)", ftString, 30, 0},
    {"VARCHAR2(7)", ftString, 7, 0},
    {"text(40)", ftString, 40, 0},
    {"NVARCHAR(10)", ftWideString, 20, 0},
    {"nchar(3)", ftWideString, 6, 0},
    {"nvarchar2(4)", ftWideString, 8, 0},
    {"numeric(10,2)", ftFloat, 10, 2},
    {"NUMERIC(10.2)", ftFloat, 10, 2},
    {"numeric(8)", ftFloat, 8, 0},
    {"numeric(12,345)", ftFloat, 12, 34},
    {"INT(11)", ftString, 255, 0},
    {"decimal(10,2)", ftString, 255, 0},
    {"varchar(20", ftString, 256, 0},
    {"VARCHAR (20)", ftString, 255, 0},
    {"date", ftDate, 10, 0},
    {"DATETIME", ftDateTime, 24, 0},
    {"time", ftTime, 12, 0},
    {"timestamp", ftTimeStamp, 12, 0},
    {"INTEGER", ftInteger, 12, 0},
    {"int", ftInteger, 12, 0},
    {"intenger", ftInteger, 12, 0},
    {"float", ftFloat, 12, 0},
    {"REAL", ftFloat, 12, 0},
    {"boolean", ftBoolean, 2, 0},
    {"logical", ftBoolean, 2, 0},
    {"CHAR", ftString, 1, 0},
    {"byte", ftString, 1, 0},
    {"shorttext", ftString, 255, 0},
    {"string", ftString, 255, 0},
    {"widetext", ftWideString, 512, 0},
    {"WideString", ftWideString, 512, 0},
    {"currency", ftCurrency, 10, 0},
    {"financial", ftCurrency, 10, 0},
    {"money", ftCurrency, 10, 0},
    {"blob", ftBlob, 4, 0},
    {"graphic", ftGraphic, 4, 0},
    {"clob", ftMemo, 4, 0},
    {"memo", ftMemo, 4, 0},
    {"text", ftMemo, 4, 0},
    {"longtext", ftMemo, 4, 0},
    {"nclob", ftWideString, 60, 0},
    {"nmemo", ftWideString, 60, 0},
    {"ntext", ftWideString, 60, 0},
    {"nlongtext", ftWideString, 60, 0},
    {"varchar", ftString, 255, 0},
    {"numeric", ftString, 255, 0},
    {"", ftString, 255, 0},
    {" integer", ftString, 255, 0},
};

} // namespace

TEST(DeclaredTypeToField, MapsEveryDeclaredTypeOfTheTable)
{
    for (const MappingCase &c : kCases) {
        const TFieldMapping m = DeclaredTypeToField(c.declared);
        EXPECT_EQ(m.type, c.type) << c.declared;
        EXPECT_EQ(m.size, c.size) << c.declared;
        EXPECT_EQ(m.precision, c.precision) << c.declared;
    }
}

TEST(DeclaredTypeToField, SizeThatIsNotANumberRaisesTheConversionError)
{
    const std::pair<const char *, const char *> cases[] = {
        {"char(x)", "'x' is not a valid integer value"},
        {"numeric(a,2)", "'a' is not a valid integer value"},
        {"varchar()", "'' is not a valid integer value"},
    };
    for (const auto &[declared, message] : cases) {
        EXPECT_EQ(thrownMessage<EConvertError>([&] { DeclaredTypeToField(declared); }), message) << declared;
    }
}

namespace {

struct Statement {
    Statement(const char *schema, const char *select)
    {
        sqlite3_open(":memory:", &db);
        sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db, select, -1, &stmt, nullptr);
    }
    ~Statement()
    {
        sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
    sqlite3 *db = nullptr;
    sqlite3_stmt *stmt = nullptr;
};

} // namespace

TEST(FieldDefinitions, RowidColumnMakesNoFieldAndDuplicateNamesGetSuffixes)
{
    Statement s("CREATE TABLE a (Name CHAR(14), Lvl INTEGER); CREATE TABLE b (name TEXT, Price REAL);",
                "select a.Name, b.name, a.Lvl, b.Price, 1+2, a.rowid as rowid from a, b");
    TFieldDefs defs;
    int rowid = -7;
    BuildFieldDefs(s.stmt, false, defs, rowid);
    ASSERT_EQ(defs.Count(), 5);
    EXPECT_EQ(rowid, 5);
    EXPECT_EQ(defs[0].Name, "Name");
    EXPECT_EQ(defs[0].DataType, ftString);
    EXPECT_EQ(defs[0].Size, 14);
    EXPECT_EQ(defs[1].Name, "name_1");
    EXPECT_EQ(defs[1].DataType, ftMemo);
    EXPECT_EQ(defs[1].Size, 0); // only texts keep a size
    EXPECT_EQ(defs[2].DataType, ftInteger);
    EXPECT_EQ(defs[3].DataType, ftFloat);
    EXPECT_EQ(defs[4].DataType, ftString); // an expression maps as "string"
    EXPECT_EQ(defs[4].Size, 255);
}

TEST(FieldDefinitions, TypeLessMakesEveryColumnATextOfTheMappedSize)
{
    Statement s("CREATE TABLE t (a integer, b date, c memo, d CHAR(3))", "select * from t");
    TFieldDefs defs;
    int rowid = 0;
    BuildFieldDefs(s.stmt, true, defs, rowid);
    ASSERT_EQ(defs.Count(), 4);
    EXPECT_EQ(rowid, -1);
    const int sizes[] = {12, 10, 4, 3};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(defs[i].DataType, ftString);
        EXPECT_EQ(defs[i].Size, sizes[i]);
    }
}

TEST(FieldDefinitions, StatementWithoutColumnsLeavesDefinitionsAsTheyWere)
{
    Statement s("CREATE TABLE t (a integer)", "delete from t");
    TFieldDefs defs;
    defs.Add({"kept", ftInteger, 0, 0});
    int rowid = 3;
    BuildFieldDefs(s.stmt, false, defs, rowid);
    ASSERT_EQ(defs.Count(), 1);
    EXPECT_EQ(defs[0].Name, "kept");
}
