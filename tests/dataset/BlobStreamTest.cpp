#include "DatasetTestSupport.h"
#include "dataset/Errors.h"
#include "dataset/SqliteBlobStream.h"
#include "dataset/SqliteTable.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace torvik::dataset;
using namespace torvik::test;

namespace {

class BlobStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.path("b.db");
        execRaw(path, "create table T (n INTEGER, data BLOB); insert into T values (1, x'0102030405');"
                      "create table E (n INTEGER, data BLOB);");
        db.setDatabase(path);
        table.setConnection(&db);
        table.setTableName("T");
        table.Open();
    }
    std::string read(TBlobStreamMode mode = TBlobStreamMode::bmRead)
    {
        auto s = table.CreateBlobStream(*table.FieldByName("data"), mode);
        std::string out(size_t(s->Size()), '\0');
        s->Read(out.data(), out.size());
        return out;
    }

    ScratchDir dir;
    QString path;
    TSqliteDB db;
    TSqliteTable table;
};

} // namespace

TEST_F(BlobStream, ReadsTheFieldsBytesAndLeavesThemAsTheyWere)
{
    EXPECT_EQ(read(), std::string("\x01\x02\x03\x04\x05", 5));
    EXPECT_EQ(read(), std::string("\x01\x02\x03\x04\x05", 5));
    EXPECT_FALSE(table.Modified());
}

TEST_F(BlobStream, WriteOnlyStartsEmptyAndStoresExactlyWhatWasWritten)
{
    table.Edit();
    {
        auto s = table.CreateBlobStream(*table.FieldByName("data"), TBlobStreamMode::bmWrite);
        EXPECT_EQ(s->Size(), 0);
        s->Write("abc", 3);
    }
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(table.FieldByName("data")->AsString(), "abc");
    table.Post();
    EXPECT_EQ(queryValue(path, "select hex(data) from T"), "616263");
}

TEST_F(BlobStream, CancelledEditKeepsTheCachedBytes)
{
    table.Edit();
    {
        auto s = table.CreateBlobStream(*table.FieldByName("data"), TBlobStreamMode::bmReadWrite);
        s->Seek(5);
        s->Write("\x06", 1);
    }
    EXPECT_EQ(table.FieldByName("data")->AsString().size(), 6u);
    table.Cancel();
    EXPECT_EQ(read().size(), 5u);
}

TEST_F(BlobStream, WithoutARecordReadsEmptyAndStoresNothing)
{
    table.setTableName("E");
    table.Open();
    EXPECT_EQ(read(), "");
    {
        auto s = table.CreateBlobStream(*table.FieldByName("data"), TBlobStreamMode::bmWrite);
        s->Write("zz", 2);
    }
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(BlobStream, OnlyBlobFieldsHaveStreams)
{
    EXPECT_THROW(table.CreateBlobStream(*table.FieldByName("n"), TBlobStreamMode::bmRead), EInvalidCast);
}
