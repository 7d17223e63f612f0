#include "dbwindow/GameVocabulary.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace torvik::dbwindow {
namespace {

TEST(VocabularyTest, CategoryCodesAscendAndOnlyTheListedOnesExist)
{
    EXPECT_TRUE(std::is_sorted(StdModeList.begin(), StdModeList.end(),
                               [](const TItemCheck &a, const TItemCheck &b) { return a.Code < b.Code; }));
    EXPECT_EQ(std::adjacent_find(StdModeList.begin(), StdModeList.end(),
                                 [](const TItemCheck &a, const TItemCheck &b) { return a.Code == b.Code; }),
              StdModeList.end());
    for (int missing : {14, 16, 17, 27, 28, 35, 39})
        EXPECT_TRUE(std::none_of(StdModeList.begin(), StdModeList.end(),
                                 [&](const TItemCheck &c) { return c.Code == missing; }))
            << missing;
}

TEST(VocabularyTest, CategoryEntriesShowCodeDashCaptionAndKeepTheCode)
{
    const struct {
        size_t index;
        const char16_t *text;
        const char *value;
    } cases[] = {{0, u"0-药", "0"}, {5, u"5-武器1", "5"}, {25, u"30-勋章、蜡烛，祝福宝石", "30"}, {80, u"137-七宝灵驹", "137"}};
    for (const auto &c : cases) {
        EXPECT_EQ(categoryEntryText(StdModeList[c.index]), QString::fromUtf16(c.text));
        EXPECT_EQ(categoryEntryValue(StdModeList[c.index]), QLatin1String(c.value));
    }
}

TEST(VocabularyTest, EachPageHasItsLabelListAndOtherIndexesHaveNone)
{
    const size_t lengths[] = {39, 34, 23, 20, 11};
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(columnLabelsOfPage(page).size(), lengths[page]) << page;
    EXPECT_TRUE(columnLabelsOfPage(-1).empty());
    EXPECT_TRUE(columnLabelsOfPage(5).empty());
    // Repeated texts stay as they are.
    EXPECT_EQ(QString::fromUtf16(StdItemsLabels[35]), QString::fromUtf16(StdItemsLabels[37]));
    EXPECT_EQ(QString::fromUtf16(MagicLabels[2]), QStringLiteral("释放动画"));
    EXPECT_EQ(QString::fromUtf16(MagicLabels[3]), QStringLiteral("释放动画"));
}

} // namespace
} // namespace torvik::dbwindow
