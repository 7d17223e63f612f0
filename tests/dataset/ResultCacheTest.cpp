#include "dataset/ResultCache.h"

#include <gtest/gtest.h>

using namespace torvik::dataset;

namespace {

std::vector<uint8_t> recordWith(uint8_t tag, int size)
{
    return std::vector<uint8_t>(size_t(size), tag);
}

} // namespace

TEST(ResultCache, IdsKeepIncreasingAndStayWithTheirRows)
{
    TFResult cache(8, nullptr);
    for (uint8_t i = 0; i < 4; ++i)
        cache.AddRow(recordWith(i, 8).data(), -1);
    EXPECT_EQ(cache.RowidAt(2), 2) << "a negative rowid stores the row's position";
    EXPECT_EQ(cache.BookmarkAt(3), 3);
    cache.InsertRow(1, recordWith(9, 8).data(), 77);
    EXPECT_EQ(cache.BookmarkAt(1), 4);
    EXPECT_EQ(cache.RowidAt(1), 77);
    EXPECT_EQ(cache.RowAt(1)[0], 9);
    EXPECT_EQ(cache.IndexOfBookmark(2), 3);
    cache.DeleteRow(1);
    cache.DeleteRow(-1);
    cache.DeleteRow(99);
    EXPECT_EQ(cache.Count(), 4);
    cache.AddRow(recordWith(5, 8).data(), 500);
    EXPECT_EQ(cache.BookmarkAt(4), 5) << "ids are never reused";
    EXPECT_EQ(cache.IndexOfBookmark(4), -1);
    EXPECT_EQ(cache.IndexOfBookmark(5), 4);
    EXPECT_EQ(cache.RowAt(4)[7], 5);
    EXPECT_EQ(cache.RowAt(5), nullptr);
    EXPECT_EQ(cache.BookmarkAt(-1), -1);
    EXPECT_EQ(cache.RowidAt(9), -1);
    cache.InsertRow(99, recordWith(6, 8).data(), 600);
    EXPECT_EQ(cache.RowidAt(5), 600) << "past the end appends";
}

TEST(ResultCache, ManyRowsSpanBlocksAndKeepTheirBytes)
{
    TFResult cache(300, nullptr);
    for (int i = 0; i < 10000; ++i)
        cache.AddRow(recordWith(uint8_t(i), 300).data(), i * 2);
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
    {
        TFResult cache(layout.DataSize(), &layout);
        for (int i = 0; i < 3; ++i) {
            std::vector<uint8_t> record(size_t(layout.DataSize()), 0);
            TRecordLayout::Put<TBlobData *>(record.data(), layout.slot(0), new TBlobData{"x"});
            TRecordLayout::Put<TBlobData *>(record.data(), layout.slot(1), new TBlobData{"y"});
            cache.AddRow(record.data(), -1);
        }
        cache.DeleteRow(1);
        std::vector<uint8_t> replacement(size_t(layout.DataSize()), 0);
        TRecordLayout::Put<TBlobData *>(replacement.data(), layout.slot(0), new TBlobData{"z"});
        TRecordLayout::Put<TBlobData *>(replacement.data(), layout.slot(1),
                                        TRecordLayout::Blob(cache.RowAt(0), layout.slot(1)));
        cache.ReplaceRow(0, replacement.data());
        EXPECT_EQ(TRecordLayout::Blob(cache.RowAt(0), layout.slot(0))->bytes, "z");
        EXPECT_EQ(TRecordLayout::Blob(cache.RowAt(0), layout.slot(1))->bytes, "y");
    }
}
