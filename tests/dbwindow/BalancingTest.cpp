// The skill power test and the monster name-colour slider: their arithmetic
// on its own, and both aids worked through their controls.

#include "tests/dbwindow/DbWindowTestSupport.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/NameColors.h"
#include "dbwindow/PowerTest.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <limits>

namespace torvik::dbwindow::testing {
namespace {

// Draws that always give the lowest or the highest value random(n) can give.
const RandomDraw lowest = [](int) { return 0; };
const RandomDraw highest = [](int n) { return n - 1; };

TEST(PowerTestArithmetic, DrawsStayBelowTheUpperBound)
{
    EXPECT_EQ(RandomBetween(100, 100, highest), 100);
    EXPECT_EQ(RandomBetween(100, 90, highest), 100);
    EXPECT_EQ(RandomBetween(100, 200, lowest), 100);
    EXPECT_EQ(RandomBetween(100, 200, highest), 199) << "MaxPower itself is never reached";
    EXPECT_EQ(SkillPower(50, 10, 10, highest), 60);
    EXPECT_EQ(SkillPower(50, 10, 30, highest), 50 + 10 + 19 + 19);
    EXPECT_EQ(SkillPower(50, 30, 10, highest), 80);
    EXPECT_EQ(AttackValue(250, 151), 401);
    EXPECT_EQ(AttackValue(250, 0), 250);
    EXPECT_EQ(AttackValue(250, -149), 250);
}

TEST(PowerTestArithmetic, TheSpreadIsASigned16BitDifferencePlusOne)
{
    struct Case {
        int dc, maxDc, spread;
    } cases[] = {{150, 300, 151}, {0, 40000, -25535}, {40000, 0, 25537}, {300, 150, -149}, {0, 32767, 32768}, {0, 32768, -32767}};
    for (const Case &c : cases)
        EXPECT_EQ(attackSpread(c.dc, c.maxDc), c.spread) << c.dc << "/" << c.maxDc;
}

TEST(PowerTestArithmetic, RoundingTakesHalvesToTheEvenNeighbour)
{
    const double cases[][2] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.4999, 2}, {2.5001, 3}, {58.327, 58}, {-0.5, 0}, {-1.5, -2}};
    for (const auto &c : cases)
        EXPECT_EQ(roundHalfEven(c[0]), c[1]) << c[0];
}

TEST(PowerTestArithmetic, AZeroShieldStrengthRaisesTheDivisionError)
{
    EXPECT_DOUBLE_EQ(realDamage(401, 5, 5.0), 401.0 / 55 * 8);
    try {
        realDamage(401, 5, 0);
        ADD_FAILURE() << "no error";
    } catch (const EMathError &e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    EXPECT_THROW(realDamage(0, 3, 0), EMathError);
}

TEST(NameColorTableTest, HoldsTheGameClientsColours)
{
    static_assert(std::tuple_size_v<decltype(NameColorTable)> == 256);
    EXPECT_EQ(NameColorOf(0), QColor(0, 0, 0));
    EXPECT_EQ(NameColorOf(8), QColor(85, 128, 151));
    EXPECT_EQ(NameColorOf(146), QColor(68, 221, 255));
    EXPECT_EQ(NameColorOf(191), QColor(202, 53, 44));
    EXPECT_EQ(NameColorOf(249), QColor(255, 0, 0));
    EXPECT_EQ(NameColorOf(255), QColor(255, 255, 255));
}

class PowerTestWindow : public DbWindowTest {
protected:
    void SetUp() override
    {
        openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
        choosePage(*window, 2);
    }

    // Replaces a box's text the way the user types it.
    static void typeNumber(QAbstractSpinBox *box, const QString &text)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    void setSkill(int power, int maxPower, int defPower, int defMaxPower, int dc, int maxDc)
    {
        const std::pair<QSpinBox *, int> boxes[] = {
            {t().EditPower, power}, {t().EditMaxPower, maxPower}, {t().EditDefPower, defPower},
            {t().EditDefMaxPower, defMaxPower}, {t().EditDC, dc}, {t().EditMaxDC, maxDc}};
        for (const auto &[box, value] : boxes)
            typeNumber(box, QString::number(value));
    }

    void test() { QTest::mouseClick(t().RzButton9, Qt::LeftButton); }
    PowerTestControls &t() { return window->powerTest; }
};

TEST_F(PowerTestWindow, TheWorkedExampleGives401And58)
{
    setSkill(100, 100, 0, 0, 150, 300);
    for (int run = 0; run < 5; ++run) {
        test();
        EXPECT_EQ(t().EditBasePower->value(), 401);
        EXPECT_EQ(t().EditDamage->value(), 58);
    }
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

TEST_F(PowerTestWindow, TheSpreadAddsOnlyWhenPositive)
{
    struct Case {
        int dc, maxDc, base, damage;
    } cases[] = {
        {0, 40000, 100, 15},           // spread -25535: the skill power alone
        {300, 150, 400, 58},           // spread -149: DC plus the skill power
        {40000, 0, 65535, 9547},       // spread 25537: 65637 shows as 65535, the damage comes from 65637
    };
    for (const Case &c : cases) {
        setSkill(100, 100, 0, 0, c.dc, c.maxDc);
        test();
        EXPECT_EQ(t().EditBasePower->value(), c.base) << c.dc << "/" << c.maxDc;
        EXPECT_EQ(t().EditDamage->value(), c.damage) << c.dc << "/" << c.maxDc;
    }
}

TEST_F(PowerTestWindow, DrawnPowerStaysInItsRange)
{
    setSkill(100, 110, 5, 8, 10, 9); // spread 0: adds nothing
    for (int run = 0; run < 200; ++run) {
        test();
        const int base = t().EditBasePower->value();
        ASSERT_GE(base, 10 + 100 + 5);
        ASSERT_LE(base, 10 + 109 + 5 + 2 + 2);
    }
}

TEST_F(PowerTestWindow, ARealDamageBeyondTheBoxShowsAsItsMaximum)
{
    setSkill(65535, 65535, 0, 0, 65535, 65535);
    typeNumber(t().EditMagBubbleDefenceLevel, QStringLiteral("0"));
    typeNumber(t().EditMagBubbleDefenceRate, QStringLiteral("0.01"));
    test();
    EXPECT_EQ(t().EditBasePower->value(), 65535);
    EXPECT_EQ(t().EditDamage->value(), 65535);
}

TEST_F(PowerTestWindow, ABoxWhoseTextIsNoNumberReadsAsZero)
{
    setSkill(100, 100, 0, 0, 150, 300);
    typeNumber(t().EditDC, QString()); // emptied, still being edited
    ASSERT_EQ(t().EditDC->value(), 150) << "the box itself still holds its last number";
    window->RzButton9Click();
    EXPECT_EQ(t().EditBasePower->value(), 0 + 100 + 301);
}

TEST_F(PowerTestWindow, AZeroShieldStrengthIsReportedAndLeavesTheRealDamage)
{
    setSkill(100, 100, 0, 0, 150, 300);
    test();
    ASSERT_EQ(t().EditDamage->value(), 58);
    setSkill(200, 200, 0, 0, 150, 300);
    typeNumber(t().EditMagBubbleDefenceRate, QStringLiteral("0"));
    test();
    EXPECT_EQ(t().EditBasePower->value(), 501) << "the output damage is already shown";
    EXPECT_EQ(t().EditDamage->value(), 58) << "the real damage keeps its value";
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Floating point division by zero"));
    EXPECT_EQ(asked[0].icon, ui::MessageIcon::Error);
}

class NameColourSlider : public DbWindowTest {
protected:
    QSlider *slider() const { return window->nameColour.RzDBTrackBar1; }
    QColor preview() const { return window->nameColour.LableMonNameColor->palette().color(QPalette::WindowText); }
    void slide(Qt::Key key, int times = 1)
    {
        slider()->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(slider(), key);
    }
};

TEST_F(NameColourSlider, WritesTheColourIntoTheCurrentMonsterAndPreviewsIt)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    openWindow(path);
    EXPECT_EQ(preview(), QColor(Qt::black));
    choosePage(*window, 1);
    window->Table->setRecNo(3);
    const std::string name = window->Table->FieldByName("Name")->AsString();
    const std::string row = "select NameColor from Monster where Name='" + name + "'";

    slide(Qt::Key_End);
    slide(Qt::Key_Left, 6);
    EXPECT_EQ(slider()->value(), 249);
    EXPECT_EQ(preview(), QColor(255, 0, 0));
    EXPECT_EQ(readBack(path, row), "249");

    slide(Qt::Key_Home);
    EXPECT_EQ(preview(), QColor(255, 255, 255)) << "0 previews as white";
    EXPECT_EQ(readBack(path, row), "0");
    EXPECT_EQ(readBack(path, "select count(*) from Monster"), "6");
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

TEST_F(NameColourSlider, OnAnEmptyTableItPreviewsAndWritesNothing)
{
    const QString path = makeDatabase(scratch, QStringLiteral("empty.db"),
                                      QStringLiteral("CREATE TABLE StdItems (Idx INTEGER, Name CHAR(14));"
                                                     "CREATE TABLE Monster (Name CHAR(14), NameColor INTEGER);"));
    openWindow(path);
    choosePage(*window, 1);
    slide(Qt::Key_PageUp);
    EXPECT_EQ(preview(), NameColorOf(10));
    EXPECT_EQ(readBack(path, "select count(*) from Monster"), "0");
    EXPECT_EQ(window->Table->State(), dataset::TDataSetState::dsBrowse);
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 0);
}

TEST_F(NameColourSlider, ErrorsOfTheWriteAreSwallowed)
{
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    // The items page has no NAMECOLOR column: the preview changes, nothing is reported.
    slide(Qt::Key_PageUp);
    EXPECT_EQ(preview(), NameColorOf(10));
    window->Table->Close();
    slide(Qt::Key_PageUp);
    EXPECT_EQ(preview(), NameColorOf(20));
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

} // namespace
} // namespace torvik::dbwindow::testing
