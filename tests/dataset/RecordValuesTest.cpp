#include "DatasetTestSupport.h"
#include "dataset/Errors.h"
#include "dataset/Field.h"
#include "dataset/RecordValues.h"
#include "dataset/TextConvert.h"

#include <QDateTime>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace torvik::dataset;
using torvik::test::thrownMessage;

namespace {

// One engine value stored into a one-field record, as a fetch does.
class Fetched {
public:
    Fetched(TFieldType type, int size, const std::string &valueSql)
    {
        TFieldDefs defs;
        defs.Add({"Value", type, size, 0});
        record_ = std::make_unique<TStandaloneRecord>(defs);
        sqlite3 *db = nullptr;
        sqlite3_open(":memory:", &db);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, ("select " + valueSql).c_str(), -1, &stmt, nullptr);
        EXPECT_EQ(sqlite3_step(stmt), SQLITE_ROW);
        const TSlot &slot = record_->Layout().slot(0);
        record_->Record().Reset(record_->Layout()); // as the fetch starts each row
        try {
            StoreColumn(stmt, 0, slot, record_->Record());
        } catch (...) {
            sqlite3_finalize(stmt);
            sqlite3_close(db);
            throw;
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
    TField &field() { return *record_->Fields()[0]; }

private:
    std::unique_ptr<TStandaloneRecord> record_;
};

} // namespace

TEST(ColumnIntoSlot, TextIsCutToTheDeclaredSize)
{
    Fetched f(ftString, 14, "'12345678901234567890'");
    EXPECT_EQ(f.field().AsString(), "12345678901234");
    Fetched gbk(ftString, 14, "cast(x'CDC0C1FA' as text)");
    EXPECT_EQ(gbk.field().AsString(), "\xCD\xC0\xC1\xFA");
}

TEST(ColumnIntoSlot, IntegersReadTheWholeTextOrZero)
{
    const std::pair<const char *, int32_t> cases[] = {
        {"42", 42},        {"-7", -7},      {"3.7", 0},      {"'abc'", 0},       {"''", 0},
        {"' 12'", 12},     {"'$1F'", 31},   {"'0x10'", 16},  {"'12 '", 0},       {"5000000000", 0},
        {"'+5'", 5},       {"2147483647", 2147483647},
    };
    for (const auto &[sql, value] : cases) {
        Fetched f(ftInteger, 0, sql);
        EXPECT_EQ(f.field().AsInteger(), value) << sql;
        EXPECT_FALSE(f.field().IsNull()) << sql;
    }
}

TEST(ColumnIntoSlot, NullReadsAsNullThoughTheSlotHoldsTheEmptyValue)
{
    const TFieldType types[] = {ftString, ftInteger, ftFloat, ftBoolean, ftDate, ftDateTime, ftBlob};
    for (TFieldType t : types) {
        Fetched f(t, 10, "NULL");
        EXPECT_TRUE(f.field().IsNull()) << t;
        EXPECT_EQ(f.field().AsString(), "") << t;
    }
}

TEST(ColumnIntoSlot, RealsAndBooleans)
{
    EXPECT_DOUBLE_EQ(Fetched(ftFloat, 0, "'1.5e3'").field().AsFloat(), 1500.0);
    EXPECT_DOUBLE_EQ(Fetched(ftFloat, 0, "'x'").field().AsFloat(), 0.0);
    EXPECT_DOUBLE_EQ(Fetched(ftFloat, 0, "0.1").field().AsFloat(), 0.1);
    EXPECT_EQ(Fetched(ftBoolean, 0, "'true'").field().AsString(), "True");
    EXPECT_EQ(Fetched(ftBoolean, 0, "'FALSE'").field().AsString(), "False");
    EXPECT_EQ(Fetched(ftBoolean, 0, "2").field().AsString(), "True");
    EXPECT_EQ(Fetched(ftBoolean, 0, "0").field().AsString(), "False");
    EXPECT_EQ(Fetched(ftBoolean, 0, "''").field().AsString(), "False");
    EXPECT_EQ(thrownMessage<EConvertError>([&] { Fetched(ftBoolean, 0, "'yes'"); }),
              "'yes' is not a valid boolean value");
}

TEST(ColumnIntoSlot, DayCountsBecomeDatesAndTimes)
{
    Fetched dt(ftDateTime, 0, "41592.5");
    const double back = dt.field().AsDateTime();
    EXPECT_DOUBLE_EQ(back, 41592.5);
    const DayAndTime parts = splitDayCount(back);
    EXPECT_EQ(QDate(1899, 12, 30).addDays(parts.dayNumber - kDayNumberOf18991230), QDate(2013, 11, 14));
    EXPECT_EQ(parts.msOfDay, 12 * 3600 * 1000);
    EXPECT_DOUBLE_EQ(Fetched(ftDate, 0, "41592.75").field().AsDateTime(), 41592.0);
    EXPECT_DOUBLE_EQ(Fetched(ftTime, 0, "41592.75").field().AsDateTime(), 0.75);
    EXPECT_DOUBLE_EQ(Fetched(ftTimeStamp, 0, "41592.5").field().AsDateTime(), 41592.5);
    EXPECT_DOUBLE_EQ(Fetched(ftDateTime, 0, "'garbage'").field().AsDateTime(), 0.0);
}

TEST(ColumnIntoSlot, BlobsAndWideTexts)
{
    Fetched blob(ftBlob, 0, "x'000102'");
    EXPECT_EQ(blob.field().AsString(), std::string("\x00\x01\x02", 3));
    Fetched wide(ftWideString, 4, "'abcdef'");
    EXPECT_EQ(wide.field().AsString(), "ab");
}

namespace {

struct AssignCase {
    TFieldType type;
    const char *text;
    const char *readBack; // nullptr: raises with `message`
    const char *message;
};

} // namespace

TEST(TextAssignedToField, ParsesOrRaisesWithTheFieldsDisplayName)
{
    const AssignCase cases[] = {
        {ftInteger, "12", "12", nullptr},
        {ftInteger, "-0x10", "-16", nullptr},
        {ftInteger, "", "", nullptr},
        {ftInteger, "1.5", nullptr, "'1.5' is not a valid integer value for field 'Title'"},
        {ftFloat, "2.5", "2.5", nullptr},
        {ftFloat, "1e20", "1E20", nullptr},
        {ftFloat, "0.00001", "1E-5", nullptr},
        {ftFloat, "123456789012345678", "1.23456789012346E17", nullptr},
        {ftFloat, "abc", nullptr, "'abc' is not a valid floating point value for field 'Title'"},
        {ftBoolean, "t", "True", nullptr},
        {ftBoolean, "FA", "False", nullptr},
        {ftBoolean, "yes", nullptr, "'yes' is not a valid boolean value for field 'Title'"},
        {ftString, "abcdefgh", "abcde", nullptr},
    };
    for (const AssignCase &c : cases) {
        TFieldDefs defs;
        defs.Add({"Value", c.type, 5, 0});
        TStandaloneRecord r(defs);
        TField &f = *r.Fields()[0];
        f.setDisplayLabel("Title");
        if (c.readBack) {
            f.setAsString(c.text);
            EXPECT_EQ(f.AsString(), c.readBack) << c.text;
            EXPECT_EQ(f.IsNull(), std::string(c.text).empty() && c.type != ftString) << c.text;
        } else {
            EXPECT_EQ(thrownMessage<EDatabaseError>([&] { f.setAsString(c.text); }), c.message) << c.text;
        }
    }
}

TEST(TextAssignedToField, DatesReadBackInTheLocaleForms)
{
    TFieldDefs defs;
    defs.Add({"d", ftDate, 0, 0});
    defs.Add({"dt", ftDateTime, 0, 0});
    TStandaloneRecord r(defs);
    TField &date = *r.Fields()[0];
    TField &both = *r.Fields()[1];
    date.setAsFloat(41592.0);
    const std::string text = date.AsString();
    EXPECT_FALSE(text.empty());
    date.Clear();
    date.setAsString(text);
    EXPECT_DOUBLE_EQ(date.AsDateTime(), 41592.0);
    both.setAsFloat(41592.5);
    const std::string bothText = both.AsString();
    both.setAsString(bothText);
    EXPECT_DOUBLE_EQ(both.AsDateTime(), 41592.5);
    EXPECT_THROW(date.setAsString("not a date"), EDatabaseError);
}

TEST(NewRecord, FieldsStartNullWithEmptyValuesAndDatesNow)
{
    TFieldDefs defs;
    defs.Add({"s", ftString, 4, 0});
    defs.Add({"i", ftInteger, 0, 0});
    defs.Add({"dt", ftDateTime, 0, 0});
    defs.Add({"m", ftMemo, 0, 0});
    const double before = nowAsDayCount();
    TStandaloneRecord r(defs);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(r.Fields()[i]->IsNull());
    const TSlot &dt = r.Layout().slot(2);
    TRecordLayout::SetHasValue(r.Data(), dt, true);
    EXPECT_GE(r.Fields()[2]->AsDateTime(), before - 1.0 / 86400);
    EXPECT_NE(TRecordLayout::Blob(r.Data(), r.Layout().slot(3)), nullptr) << "a new empty stream";
}

TEST(RecordLayout, UnsupportedTypeIsRefusedWithTheFieldName)
{
    TFieldDefs defs;
    defs.Add({"Big", ftLargeint, 0, 0});
    TRecordLayout layout;
    EXPECT_EQ(thrownMessage<ESqliteError>([&] { layout.Build(defs); }),
              "Fieldtype of Field \"Big\" not supported!");
}

TEST(RecordLayout, SlotsArePackedAfterTheHasValueBits)
{
    TFieldDefs defs;
    defs.Add({"Name", ftString, 14, 0});
    for (int i = 0; i < 38; ++i)
        defs.Add({std::string("N").append(std::to_string(i)), ftInteger, 0, 0});
    TRecordLayout layout;
    layout.Build(defs);
    EXPECT_EQ(layout.DataSize(), 5 + 15 + 38 * 4);
    EXPECT_EQ(layout.slot(1).offset, 5 + 15);
}
