// The grid as a game master drives it: clicks and keys on the shown grid, its
// cell editor and the navigator, then the file read back through a connection
// of its own. Whatever way a new row comes in, it is a new row; whatever is
// typed lands in the row it was typed into, or stays in the editor when it is
// refused.

#include "tests/dbwindow/DbWindowTestSupport.h"

#include "dataset/DatasetTableModel.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/DbNavigator.h"
#include "tests/support/GridDriver.h"
#include "text/Gbk.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <sqlite3.h>

#include <map>
#include <optional>

namespace torvik::dbwindow::testing {
namespace {

using dataset::TDataSetState;

constexpr int kNameColumn = 1;
constexpr int kWeightColumn = 4;

// Every row of a table by rowid, each value as its stored bytes.
std::map<int64_t, std::vector<std::string>> tableRows(const QString &path, const char *table)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    const std::string sql = std::string("select rowid, * from ") + table;
    std::map<int64_t, std::vector<std::string>> rows;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<std::string> values;
            for (int c = 1; c < sqlite3_column_count(st); ++c) {
                const auto *bytes = static_cast<const char *>(sqlite3_column_blob(st, c));
                values.push_back(sqlite3_column_type(st, c) == SQLITE_NULL
                                     ? "<null>"
                                     : std::string(bytes ? bytes : "", size_t(sqlite3_column_bytes(st, c))));
            }
            rows[sqlite3_column_int64(st, 0)] = values;
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

class GridEditingTest : public DbWindowTest {
protected:
    QString path;
    TDbGrid *grid = nullptr;
    std::optional<test::GridDriver> driver;
    std::map<int64_t, std::vector<std::string>> before;

    void SetUp() override
    {
        path = scratch.copyFixture(QStringLiteral("game-plain.db"));
        before = tableRows(path, "StdItems");
        openWindow(path);
        grid = window->RzDBGrid1;
        driver.emplace(grid);
        window->activateWindow();
        grid->setFocus();
        QApplication::processEvents();
    }

    QLineEdit *editor() const { return driver->editor(); }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        driver->clickCell(row, column, modifiers);
    }
    void clickIndicator(int row) { driver->clickIndicator(row); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { driver->press(key, modifiers); }
    void type(const QString &text) { driver->type(text); }
    void clickNavigator(NavigateButton which)
    {
        QTest::mouseClick(window->DBNavigator->button(which), Qt::LeftButton);
        QApplication::processEvents();
    }

    int currentRow() const { return grid->currentIndex().row(); }
    std::string messages() const
    {
        std::string out;
        for (const auto &m : dialogs.messagesAsked())
            out += m.text.toStdString() + "\n";
        return out;
    }

    // The rows that are new in the file; every other row must be as it was.
    std::vector<std::vector<std::string>> newRowsAndCheckTheRest()
    {
        std::vector<std::vector<std::string>> added;
        const auto after = tableRows(path, "StdItems");
        for (const auto &[rowid, values] : before) {
            const auto it = after.find(rowid);
            EXPECT_TRUE(it != after.end()) << "row " << rowid << " is gone";
            if (it != after.end()) {
                EXPECT_EQ(it->second, values) << "row " << rowid << " changed";
            }
        }
        for (const auto &[rowid, values] : after)
            if (!before.count(rowid))
                added.push_back(values);
        return added;
    }
};

enum class NewRowWay { InsertKey, NavigatorPlus, ClickTheStarRow, InsertThenUp, DownOnTheLastRow };

class NewRowTest : public GridEditingTest, public ::testing::WithParamInterface<NewRowWay> {};

TEST_P(NewRowTest, GivesExactlyOneNewRowWithTheTypedNameAndLeavesEveryOtherRowAsItWas)
{
    const QString name = QStringLiteral("新物品");
    switch (GetParam()) {
    case NewRowWay::InsertKey:
        clickCell(2, kNameColumn);
        press(Qt::Key_Insert);
        type(name);
        press(Qt::Key_Down);
        break;
    case NewRowWay::NavigatorPlus:
        clickCell(2, kNameColumn);
        clickNavigator(NavigateButton::Insert);
        type(name);
        press(Qt::Key_Down);
        break;
    case NewRowWay::ClickTheStarRow:
        clickCell(2, kNameColumn);
        press(Qt::Key_Insert);
        clickCell(2, kNameColumn); // the "*" row
        type(name);
        clickCell(5, kNameColumn);
        break;
    case NewRowWay::InsertThenUp:
        clickCell(2, kNameColumn);
        press(Qt::Key_Insert);
        type(name);
        press(Qt::Key_Up);
        break;
    case NewRowWay::DownOnTheLastRow:
        clickCell(24, kNameColumn);
        press(Qt::Key_Down);
        EXPECT_EQ(grid->model()->rowCount(), 26);
        EXPECT_EQ(currentRow(), 25);
        type(name);
        press(Qt::Key_Up);
        break;
    }
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);
    EXPECT_TRUE(dialogs.messagesAsked().empty()) << messages();
    const auto added = newRowsAndCheckTheRest();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0][kNameColumn], text::toGbk(name));
    EXPECT_EQ(grid->model()->rowCount(), 26);
    // The grid and the dataset are on the same row.
    EXPECT_EQ(currentRow(), window->Table->ActiveViewRow());
}

INSTANTIATE_TEST_SUITE_P(EveryWayIn, NewRowTest,
                         ::testing::Values(NewRowWay::InsertKey, NewRowWay::NavigatorPlus, NewRowWay::ClickTheStarRow,
                                           NewRowWay::InsertThenUp, NewRowWay::DownOnTheLastRow));

struct LeavingKey {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int column; // where the value is typed
};

class LeaveRowTest : public GridEditingTest, public ::testing::WithParamInterface<LeavingKey> {};

TEST_P(LeaveRowTest, TheTypedValueLandsInItsOwnRowAndTheGridIsWhereTheDatasetIs)
{
    const LeavingKey &way = GetParam();
    clickCell(5, way.column);
    type(QStringLiteral("4321"));
    press(way.key, way.modifiers);
    EXPECT_NE(currentRow(), 5) << way.name;
    EXPECT_EQ(currentRow(), window->Table->ActiveViewRow()) << way.name;
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse) << way.name;
    EXPECT_TRUE(dialogs.messagesAsked().empty()) << messages();
    before[6][size_t(way.column)] = "4321";
    EXPECT_TRUE(newRowsAndCheckTheRest().empty()) << way.name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryMove, LeaveRowTest,
    ::testing::Values(LeavingKey{"Down", Qt::Key_Down, Qt::NoModifier, kWeightColumn},
                      LeavingKey{"Up", Qt::Key_Up, Qt::NoModifier, kWeightColumn},
                      LeavingKey{"PageDown", Qt::Key_PageDown, Qt::NoModifier, kWeightColumn},
                      LeavingKey{"PageUp", Qt::Key_PageUp, Qt::NoModifier, kWeightColumn},
                      LeavingKey{"CtrlHome", Qt::Key_Home, Qt::ControlModifier, kWeightColumn},
                      LeavingKey{"CtrlEnd", Qt::Key_End, Qt::ControlModifier, kWeightColumn},
                      LeavingKey{"TabOnTheLastColumn", Qt::Key_Tab, Qt::NoModifier, 38}),
    [](const ::testing::TestParamInfo<LeavingKey> &info) { return std::string(info.param.name); });

TEST_F(GridEditingTest, InsertThenEscapeLeavesTheFileUnchanged)
{
    clickCell(2, kNameColumn);
    press(Qt::Key_Insert);
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(window->Table->State(), TDataSetState::dsInsert);
    type(QStringLiteral("不要"));
    press(Qt::Key_Escape);
    if (window->Table->State() != TDataSetState::dsBrowse)
        press(Qt::Key_Escape);
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(grid->model()->rowCount(), 25);
    EXPECT_EQ(grid->model()->index(currentRow(), kNameColumn).data().toString(), QStringLiteral("干粮"));
    press(Qt::Key_Down);
    EXPECT_TRUE(newRowsAndCheckTheRest().empty());
}

TEST_F(GridEditingTest, TypingIntoARowAndMovingAwayWritesThatRowOnly)
{
    clickCell(3, kWeightColumn);
    type(QStringLiteral("77"));
    press(Qt::Key_Down);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(readBack(path, "select Weight from StdItems where rowid=4"), "77");
    before[4][kWeightColumn] = "77";
    EXPECT_TRUE(newRowsAndCheckTheRest().empty());
}

TEST_F(GridEditingTest, ARefusedValueKeepsTheRowInEditWithTheTypedTextAndEscapeRestoresIt)
{
    clickCell(3, kWeightColumn);
    type(QStringLiteral("abc"));
    press(Qt::Key_Down);
    ASSERT_EQ(dialogs.messagesAsked().size(), 1u) << "the refusal is shown";
    EXPECT_EQ(currentRow(), 3) << "the grid stays on the row";
    EXPECT_EQ(window->Table->State(), TDataSetState::dsEdit);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), QStringLiteral("abc"));

    // The user corrects it and leaves: that is what is written.
    editor()->selectAll();
    type(QStringLiteral("9"));
    press(Qt::Key_Down);
    EXPECT_EQ(currentRow(), 4);
    EXPECT_EQ(readBack(path, "select Weight from StdItems where rowid=4"), "9");

    // Or presses Esc: the stored value is back.
    clickCell(6, kWeightColumn);
    type(QStringLiteral("x1"));
    press(Qt::Key_Up);
    EXPECT_EQ(currentRow(), 6);
    press(Qt::Key_Escape);
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(grid->model()->index(6, kWeightColumn).data().toString(), QString::fromStdString(before[7][kWeightColumn]));
    press(Qt::Key_Up);
    EXPECT_EQ(currentRow(), 5);
    before[4][kWeightColumn] = "9";
    EXPECT_TRUE(newRowsAndCheckTheRest().empty());
}

TEST_F(GridEditingTest, ClosingTheWindowPostsAPendingEditAndAFailingOneKeepsItOpen)
{
    clickCell(0, kWeightColumn);
    type(QStringLiteral("abc"));
    window->close();
    processDeferredDeletes();
    ASSERT_TRUE(window) << "a refused edit keeps the window";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.messagesAsked().size(), 1u);
    EXPECT_EQ(editor()->text(), QStringLiteral("abc"));

    editor()->selectAll();
    type(QStringLiteral("77"));
    window->close();
    processDeferredDeletes();
    EXPECT_FALSE(window);
    EXPECT_EQ(readBack(path, "select Weight from StdItems where rowid=1"), "77");
}

TEST_F(GridEditingTest, TheSelectionHoldsExactlyTheRowsTheUserSelected)
{
    EXPECT_TRUE(grid->SelectedRows().empty()) << "after an open";
    const auto menuFollows = [&](bool anySelected) {
        window->pm1Popup();
        EXPECT_EQ(window->N1->isEnabled(), anySelected);
        EXPECT_EQ(window->N4->isEnabled(), anySelected);
    };
    menuFollows(false);

    clickCell(3, 2);
    press(Qt::Key_Down);
    press(Qt::Key_PageDown);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_TRUE(grid->SelectedRows().empty()) << "plain moves select nothing";
    menuFollows(false);

    clickCell(1, 2, Qt::ControlModifier);
    clickCell(4, 2, Qt::ControlModifier);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{1, 4}));
    menuFollows(true);
    const QModelIndex other = grid->model()->index(7, 2);
    QTest::mouseClick(grid->viewport(), Qt::RightButton, Qt::NoModifier, grid->visualRect(other).center());
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{1, 4})) << "the popup's button keeps the selection";
    clickCell(1, 2, Qt::ControlModifier);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{4}));

    clickCell(4, 2);
    clickCell(6, 2, Qt::ShiftModifier);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{4, 5, 6}));

    clickCell(8, 2);
    EXPECT_TRUE(grid->SelectedRows().empty()) << "a plain click clears it";

    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{8, 9, 10}));

    clickIndicator(12);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{12}));

    choosePage(*window, 1);
    EXPECT_TRUE(grid->SelectedRows().empty()) << "another table selects nothing";
    menuFollows(false);

    clickCell(1, 0, Qt::ControlModifier);
    ASSERT_FALSE(grid->SelectedRows().empty());
    window->DataSource->setEnabled(false);
    EXPECT_TRUE(grid->SelectedRows().empty()) << "after detaching";
}

TEST_F(GridEditingTest, ALabelToggleChangesTitlesWithoutReadingTheRowsAgain)
{
    QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
    QTest::mouseClick(window->RzCheckBox1, Qt::LeftButton);
    EXPECT_FALSE(window->RzCheckBox1->isChecked());
    EXPECT_EQ(titles(*window), pageLabels(0));
    QTest::mouseClick(window->RzCheckBox1, Qt::LeftButton);
    EXPECT_EQ(titles(*window), fieldNames(*window));
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(GridEditingTest, ColumnsAreWideEnoughForTheirNumbersFurtherDown)
{
    const QString path2 = makeDatabase(
        scratch, QStringLiteral("wide.db"),
        QStringLiteral("create table StdItems(Idx integer, Name char(14), Price integer);"
                       "with recursive n(i) as (select 0 union all select i + 1 from n where i < 199)"
                       " insert into StdItems select i, 'x', case when i = 199 then 9876543 else i end from n;"));
    delete window.data();
    openWindow(path2);
    grid = window->RzDBGrid1;
    driver.emplace(grid);
    grid->setFocus();
    press(Qt::Key_End, Qt::ControlModifier);
    const QModelIndex price = grid->model()->index(199, 2);
    EXPECT_EQ(price.data().toString(), QStringLiteral("9876543"));
    EXPECT_GE(grid->columnWidth(2), grid->fontMetrics().horizontalAdvance(QStringLiteral("9876543")) + 6);
}

} // namespace
} // namespace torvik::dbwindow::testing
