// The category list and the name searches of the database window, driven
// through its fields, boxes and buttons.

#include "tests/dbwindow/DbWindowTestSupport.h"
#include "tests/dbwindow/WindowDriving.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/DbNavigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace torvik::dbwindow::testing {
namespace {

// Texts that a search must take as plain text: a column name, both quote
// kinds, statement separators, and a Chinese fragment.
const QString kNames[] = {QStringLiteral("Name"),   QStringLiteral("Names"), QStringLiteral("name"),
                          QStringLiteral("a'b"),    QStringLiteral("\"x\""), QStringLiteral("x"),
                          QStringLiteral("a;b;c"),  QStringLiteral("xa;b;cx"), QStringLiteral("屠龙"),
                          QStringLiteral("屠龙刀"), QStringLiteral("龙")};

QString sqlText(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Every searchable table holds the same names.
QString searchFixtureSql()
{
    QString sql = QStringLiteral("CREATE TABLE StdItems (Idx INTEGER, Name CHAR(14), StdMode INTEGER);"
                                 "CREATE TABLE Monster (Name CHAR(14), NameColor INTEGER);"
                                 "CREATE TABLE Magic (MagId INTEGER, MagName CHAR(12));");
    int i = 0;
    for (const QString &name : kNames) {
        sql += QStringLiteral("INSERT INTO StdItems VALUES (%1, %2, %3);").arg(i).arg(sqlText(name)).arg(i % 3);
        sql += QStringLiteral("INSERT INTO Monster VALUES (%1, 0);").arg(sqlText(name));
        sql += QStringLiteral("INSERT INTO Magic VALUES (%1, %2);").arg(i).arg(sqlText(name));
        ++i;
    }
    return sql;
}

struct PageControls {
    QLineEdit *field;
    QCheckBox *exact;
    QPushButton *button;
    const char *nameField;
};

class SearchTest : public DbWindowTest {
protected:
    PageControls controlsOf(int page) const
    {
        switch (page) {
        case 0: return {window->RzEdit1, window->CheckBox2, window->RzButton1, "Name"};
        case 1: return {window->RzEdit2, window->CheckBox4, window->RzButton4, "Name"};
        default: return {window->RzEdit4, window->CheckBox6, window->RzButton5, "MagName"};
        }
    }

    // Types the text, sets the exact box with a click when it differs, and
    // searches with the button or with Enter in the field.
    void search(const PageControls &c, const QString &text, bool exact, bool withEnter)
    {
        if (c.exact->isChecked() != exact)
            QTest::mouseClick(c.exact, Qt::LeftButton);
        ASSERT_EQ(c.exact->isChecked(), exact);
        typeInto(c.field, text);
        if (withEnter)
            QTest::keyClick(c.field, Qt::Key_Return);
        else
            QTest::mouseClick(c.button, Qt::LeftButton);
    }

    QComboBox *categories() const { return window->RzComboBox1; }
};

struct SearchCase {
    QString text;
    bool exact;
    QStringList found;
};

TEST_F(SearchTest, QuotesSemicolonsColumnNamesAndChineseAreSearchedAsPlainText)
{
    openWindow(makeDatabase(scratch, QStringLiteral("search.db"), searchFixtureSql()));
    const SearchCase cases[] = {
        {QStringLiteral("Name"), true, {QStringLiteral("Name")}},
        {QStringLiteral("Name"), false, {QStringLiteral("Name"), QStringLiteral("Names")}},
        {QStringLiteral("a'b"), true, {QStringLiteral("a'b")}},
        {QStringLiteral("a'b"), false, {QStringLiteral("a'b")}},
        {QStringLiteral("\"x\""), true, {QStringLiteral("\"x\"")}},
        {QStringLiteral("\"x\""), false, {QStringLiteral("\"x\"")}},
        {QStringLiteral("a;b;c"), true, {QStringLiteral("a;b;c")}},
        {QStringLiteral("a;b;c"), false, {QStringLiteral("a;b;c"), QStringLiteral("xa;b;cx")}},
        {QStringLiteral("屠龙"), true, {QStringLiteral("屠龙")}},
        {QStringLiteral("屠龙"), false, {QStringLiteral("屠龙"), QStringLiteral("屠龙刀")}},
        {QStringLiteral("龙"), false, {QStringLiteral("屠龙"), QStringLiteral("屠龙刀"), QStringLiteral("龙")}},
        {QStringLiteral("name"), true, {QStringLiteral("name")}},
    };
    for (int page = 0; page < 3; ++page) {
        choosePage(*window, page);
        const PageControls c = controlsOf(page);
        bool withEnter = false;
        for (const SearchCase &sc : cases) {
            search(c, sc.text, sc.exact, withEnter);
            EXPECT_EQ(shownColumn(*window, c.nameField), sc.found)
                << "page " << page << (sc.exact ? " exact " : " partial ") << sc.text.toStdString()
                << (withEnter ? " (Enter)" : " (button)");
            withEnter = !withEnter;
        }
    }
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

TEST_F(SearchTest, PartialSearchIsCaseSensitiveAndAnEmptyFieldListsAllAgain)
{
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    const PageControls c = controlsOf(0);
    search(c, QStringLiteral("sword"), false, false);
    EXPECT_EQ(shownColumn(*window, "Name"), QStringList{QStringLiteral("sword")});
    search(c, QStringLiteral("Sword"), false, true);
    EXPECT_EQ(shownColumn(*window, "Name"), QStringList{QStringLiteral("Sword")});

    window->activateWindow();
    QApplication::setActiveWindow(window->window());
    window->RzButton4->setFocus();
    search(c, QString(), false, false);
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 25);
    EXPECT_TRUE(window->Table->Filter().empty());
    EXPECT_EQ(QApplication::focusWidget(), window->RzEdit1) << "an empty search focuses the field";
}

TEST_F(SearchTest, ATextGbkCannotHoldIsRefusedAndTheViewStays)
{
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    search(controlsOf(0), QStringLiteral("sword"), false, false);
    search(controlsOf(0), QStringLiteral("木剑\u0E01"), false, true);
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("\u0E01"))) << asked[0].text.toStdString();
    EXPECT_EQ(shownColumn(*window, "Name"), QStringList{QStringLiteral("sword")}) << "the earlier search still shows";
}

TEST_F(SearchTest, ACategoryListsOnlyItsItemsAndNoneListsAllAgain)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    openWindow(path);
    QComboBox *list = categories();
    ASSERT_EQ(list->itemText(0), QStringLiteral("无"));
    const int weapons = list->findData(QStringLiteral("5"));
    ASSERT_GT(weapons, 0);
    list->setFocus();
    for (int i = 0; i < weapons; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->currentIndex(), weapons);

    const QStringList modes = shownColumn(*window, "StdMode");
    EXPECT_EQ(qsizetype(std::stoi(readBack(path, "select count(*) from StdItems where StdMode=5"))), modes.size());
    EXPECT_FALSE(modes.isEmpty());
    for (const QString &mode : modes)
        EXPECT_EQ(mode, QStringLiteral("5"));

    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 25);
    EXPECT_TRUE(window->Table->Filter().empty());
}

TEST_F(SearchTest, AfterASearchRefreshListsAllRowsWhileTheMenuStillSeesTheFilter)
{
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    search(controlsOf(0), QStringLiteral("sword"), false, false);
    ASSERT_EQ(window->RzDBGrid1->model()->rowCount(), 1);
    EXPECT_FALSE(window->Table->Filtered()) << "the flag is off again after the filter step";

    QTest::mouseClick(window->DBNavigator->button(NavigateButton::Refresh), Qt::LeftButton);
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 25);
    window->pm1Popup();
    EXPECT_FALSE(window->N2->isVisible());
    EXPECT_FALSE(window->N5->isEnabled());
}

TEST_F(SearchTest, APageChangeResetsTheCategoryAndTheNameFieldButNotTheExactBox)
{
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    QTest::mouseClick(window->CheckBox2, Qt::LeftButton);
    categories()->setFocus();
    QTest::keyClick(categories(), Qt::Key_Down);
    typeInto(window->RzEdit1, QStringLiteral("sword"));
    choosePage(*window, 1);
    choosePage(*window, 0);
    EXPECT_EQ(categories()->currentIndex(), 0);
    EXPECT_TRUE(window->RzEdit1->text().isEmpty());
    EXPECT_TRUE(window->CheckBox2->isChecked());
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 25);
}

TEST_F(SearchTest, TheInnerDemonSearchIsLaidOutButDisabled)
{
    openWindow(scratch.copyFixture(QStringLiteral("game-plain.db")));
    for (QWidget *w : {static_cast<QWidget *>(window->RzEdit3), static_cast<QWidget *>(window->CheckBox8),
                       static_cast<QWidget *>(window->RzButton8), static_cast<QWidget *>(window->RzComboBox4)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(window->RzComboBox2->isEnabled());
    EXPECT_FALSE(window->RzComboBox3->isEnabled());
    EXPECT_TRUE(window->RzComboBox1->isEnabled());
}

} // namespace
} // namespace torvik::dbwindow::testing
