#include "dataset/ResultCache.h"

#include <gtest/gtest.h>

using namespace torvik::dataset;

namespace {

TRecord recordWith(uint8_t tag, int size)
{
    return TRecord(std::vector<uint8_t>(size_t(size), tag));
}

} // namespace

TEST(ResultCache, IdsKeepIncreasingAndStayWithTheirRows)
{
    TFResult cache(8, nullptr);
    for (uint8_t i = 0; i < 4; ++i)
        cache.AddRow(recordWith(i, 8), -1);
    EXPECT_EQ(cache.RowidAt(2), 2) << "a negative rowid stores the row's position";
    EXPECT_EQ(cache.BookmarkAt(3), 3);
    cache.InsertRow(1, recordWith(9, 8), 77);
    EXPECT_EQ(cache.BookmarkAt(1), 4);
    EXPECT_EQ(cache.RowidAt(1), 77);
    EXPECT_EQ(cache.RowAt(1)[0], 9);
    EXPECT_EQ(cache.IndexOfBookmark(2), 3);
    cache.DeleteRow(1);
    cache.DeleteRow(-1);
    cache.DeleteRow(99);
    EXPECT_EQ(cache.Count(), 4);
    cache.AddRow(recordWith(5, 8), 500);
    EXPECT_EQ(cache.BookmarkAt(4), 5) << "ids are never reused";
    EXPECT_EQ(cache.IndexOfBookmark(4), -1);
    EXPECT_EQ(cache.IndexOfBookmark(5), 4);
    EXPECT_EQ(cache.RowAt(4)[7], 5);
    EXPECT_EQ(cache.RowAt(5), nullptr);
    EXPECT_EQ(cache.BookmarkAt(-1), -1);
    EXPECT_EQ(cache.RowidAt(9), -1);
    cache.InsertRow(99, recordWith(6, 8), 600);
    EXPECT_EQ(cache.RowidAt(5), 600) << "past the end appends";
}

TEST(ResultCache, ManyRowsSpanBlocksAndKeepTheirBytes)
{
    TFResult cache(300, nullptr);
    for (int i = 0; i < 10000; ++i)
        cache.AddRow(recordWith(uint8_t(i), 300), i * 2);
    for (int i = 0; i < 10000; i += 997) {
        EXPECT_EQ(cache.RowAt(i)[299], uint8_t(i));
        EXPECT_EQ(cache.RowidAt(i), i * 2);
        EXPECT_EQ(cache.IndexOfBookmark(i), i);
    }
}

TEST(ResultCache, FreesEveryBlobStreamOfEveryRowOnce)
{
    // Under the sanitizer build a double free or a leak of a stream shows.
    TFieldDefs defs;
    defs.Add({"a", ftBlob, 0, 0});
    defs.Add({"b", ftMemo, 0, 0});
    TRecordLayout layout;
    layout.Build(defs);
    auto blob = [&](const uint8_t *record, int field) { return *TRecordLayout::Blob(record, layout.slot(field)); };
    {
        TFResult cache(layout.DataSize(), &layout);
        for (int i = 0; i < 3; ++i) {
            TRecord record(layout);
            record.AddSideValue(layout.slot(0), "x");
            record.AddSideValue(layout.slot(1), "y");
            cache.AddRow(std::move(record), -1);
        }
        cache.DeleteRow(1);
        TRecord replacement = cache.CopyOfRow(0);
        *TRecordLayout::Blob(replacement.data(), layout.slot(0)) = std::string(1, 'z');
        EXPECT_EQ(blob(cache.RowAt(0), 0), "x") << "a copy has bytes of its own";
        cache.ReplaceRow(0, std::move(replacement));
        EXPECT_EQ(blob(cache.RowAt(0), 0), "z");
        EXPECT_EQ(blob(cache.RowAt(0), 1), "y");
        EXPECT_EQ(blob(cache.RowAt(1), 0), "x");
    }
}
