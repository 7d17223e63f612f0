#include "passwords/DialogUnits.h"
#include "tests/support/ScriptedModalUi.h"

#include <QFontMetrics>

#include <ostream>

#include <gtest/gtest.h>

namespace torvik::passwords {
namespace {

struct MulDivCase {
    int a, b, c, expected;
};

void PrintTo(const MulDivCase &c, std::ostream *os)
{
    *os << c.a << "*" << c.b << "/" << c.c;
}

class MulDivTest : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivTest, RoundsHalfAwayFromZero)
{
    const MulDivCase &c = GetParam();
    EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

INSTANTIATE_TEST_SUITE_P(Table, MulDivTest,
                         ::testing::Values(MulDivCase{8, 7, 4, 14},       // exact
                                           MulDivCase{5, 3, 4, 4},        // 3.75
                                           MulDivCase{1, 5, 4, 1},        // 1.25
                                           MulDivCase{2, 3, 4, 2},        // 1.5 rounds up
                                           MulDivCase{-2, 3, 4, -2},      // -1.5 rounds away from zero
                                           MulDivCase{3, 5, -4, -4},      // negative divisor
                                           MulDivCase{1 << 20, 1 << 20, 1 << 22, 1 << 18}, // no 32-bit overflow
                                           MulDivCase{7, 9, 0, -1}));     // zero divisor

TEST(DialogUnitsTest, MeasuresTheFiftyTwoLettersAndTheLineHeight)
{
    test::ensureGuiApplication();
    for (int points : {9, 14, 20}) {
        QFont font;
        font.setPointSize(points);
        const QFontMetrics m(font);
        const DialogUnits du(font);
        const int width = m.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
        EXPECT_EQ(du.averageCharWidth(), width);
        EXPECT_EQ(du.charHeight(), m.height());
        EXPECT_EQ(du.h(164), mulDiv(164, width, 4));
        EXPECT_EQ(du.v(14), mulDiv(14, m.height(), 8));
    }
}

} // namespace
} // namespace torvik::passwords
