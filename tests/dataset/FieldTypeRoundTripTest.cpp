// Every slotted field type carries a value from the file into its slot and
// back: a post writes what was read, in the same storage class.

#include "DatasetTestSupport.h"
#include "dataset/Field.h"
#include "dataset/RecordValues.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

struct StoredValue {
    std::string sql;      // the value as an SQL literal
    std::string readBack; // storage class and bytes, as queryRaw shows them
};

// One value per storage, stored in the class its type binds as.
StoredValue valueFor(TStorage storage)
{
    switch (storage) {
    case TStorage::Text: return {"'abc'", "text:abc"};
    case TStorage::WideText: return {"'wide'", "text:wide"};
    case TStorage::Integer: return {"-42", "integer:-42"};
    case TStorage::Boolean: return {"'True'", "text:True"};
    case TStorage::Real: return {"2.5", "real:2.5"};
    case TStorage::Date: return {"41592.0", "real:41592.0"};
    case TStorage::Time: return {"0.5", "real:0.5"};
    case TStorage::DateTime: return {"41592.5", "real:41592.5"};
    case TStorage::TimeStamp: return {"41592.75", "real:41592.75"};
    case TStorage::Blob: return {"x'00FF10'", std::string("blob:\0\xFF\x10", 8)};
    case TStorage::None: break;
    }
    return {"NULL", "null:NULL"};
}

class RoundTrip : public TableOnFile {
protected:
    void SetUp() override
    {
        connectTo(dir.path("types.db"));
        db.Open();
    }
};

} // namespace

// Every type of the field type table that has a slot, including those no
// declared type maps to: fetched into a record, posted, read back.
TEST_F(RoundTrip, EverySlottedTypePostsBackWhatWasRead)
{
    for (int t = ftUnknown; t <= ftOraInterval; ++t) {
        const auto type = TFieldType(t);
        if (!isSlottedType(type))
            continue;
        const TStorage storage = storageOf(type);
        execRaw(path, "drop table if exists T; create table T (v); insert into T values (" +
                          valueFor(storage).sql + ");");
        TFieldDefs defs;
        defs.Add({"v", type, 20, 0});
        TStandaloneRecord record(defs);

        sqlite3 *raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        sqlite3_stmt *select = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(raw, "select v from T", -1, &select, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(select), SQLITE_ROW);
        record.Record().Reset(record.Layout());
        StoreColumn(select, 0, record.Layout().slot(0), record.Record());
        sqlite3_finalize(select);
        sqlite3_close(raw);

        db.ExecSQL("delete from T");
        ASSERT_EQ(db.ExecSQL("insert into T values (:v)", &record.Fields()), 0) << t;
        EXPECT_EQ(queryValue(path, "select v from T", true), valueFor(storage).readBack) << "field type " << t;
    }
}

// The declared column types of a table, each giving one slotted field type:
// the table opens, its row is edited in another column and posted, and every
// column holds in the file what it held before.
TEST_F(RoundTrip, EveryDeclaredTypePostsBackUnchanged)
{
    const struct {
        const char *declared;
        TFieldType type;
    } columns[] = {
        {"CHAR(10)", ftString},   {"INTEGER", ftInteger},       {"BOOLEAN", ftBoolean},
        {"REAL", ftFloat},        {"MONEY", ftCurrency},        {"DATE", ftDate},
        {"TIME", ftTime},         {"DATETIME", ftDateTime},     {"TIMESTAMP", ftTimeStamp},
        {"BLOB", ftBlob},         {"MEMO", ftMemo},             {"GRAPHIC", ftGraphic},
        {"NCHAR(10)", ftWideString},
    };
    std::string schema = "create table T (Edited INTEGER";
    std::string values = "insert into T values (1";
    std::string everyColumn = "select ";
    for (size_t i = 0; i < std::size(columns); ++i) {
        schema += ", c" + std::to_string(i) + " " + columns[i].declared;
        values += ", " + valueFor(storageOf(columns[i].type)).sql;
        everyColumn += (i ? ", c" : "c") + std::to_string(i);
    }
    execRaw(path, schema + "); " + values + ");");
    // As the file holds them: a column's affinity may have changed the class.
    const auto before = queryRaw(path, everyColumn + " from T", true);
    ASSERT_EQ(before.size(), 1u);
    for (const std::string &value : before[0])
        ASSERT_NE(value, "null:NULL");
    table.setTableName("T");
    table.Open();
    ASSERT_EQ(table.FieldCount(), int(std::size(columns)) + 1);
    for (size_t i = 0; i < std::size(columns); ++i)
        EXPECT_EQ(table.Fields()[int(i) + 1]->DataType(), columns[i].type) << columns[i].declared;

    table.Edit();
    table.FieldByName("Edited")->setAsInteger(2);
    table.Post();

    EXPECT_EQ(queryValue(path, "select Edited from T"), "2");
    EXPECT_EQ(queryRaw(path, everyColumn + " from T", true), before);
}
