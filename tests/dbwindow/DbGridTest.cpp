#include "tests/dbwindow/DbWindowTestSupport.h"

#include "dataset/DatasetTableModel.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "dbwindow/DbNavigator.h"
#include "text/Gbk.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace torvik::dbwindow::testing {
namespace {

using dataset::TDataSetState;

class DbGridTest : public DbWindowTest {
protected:
    QString path;
    TDbGrid *grid = nullptr;

    void SetUp() override
    {
        path = scratch.copyFixture(QStringLiteral("game-plain.db"));
        openWindow(path);
        grid = window->RzDBGrid1;
        grid->setFocus();
    }

    QModelIndex cell(int row, int column) const { return grid->model()->index(row, column); }

    // Opens the in-place editor on the cell and types the text over its content.
    QLineEdit *typeInto(const QModelIndex &index, const QString &text)
    {
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto *editor = grid->findChild<QLineEdit *>(QStringLiteral("InplaceEditor"));
        if (!editor)
            return nullptr;
        editor->selectAll();
        editor->insert(text);
        return editor;
    }

    static void pressEnter(QWidget *target) { QTest::keyClick(target, Qt::Key_Return); }
};

TEST_F(DbGridTest, AnEditedCellReachesTheFileWhenTheRowIsLeft)
{
    QLineEdit *editor = typeInto(cell(2, 1), QStringLiteral("压缩干粮"));
    ASSERT_NE(editor, nullptr);
    pressEnter(editor);
    EXPECT_EQ(window->Table->State(), TDataSetState::dsEdit) << "Enter writes the field, it does not post";
    EXPECT_EQ(readBack(path, "select Name from StdItems where Idx=2"), text::toGbk(QStringLiteral("干粮")));

    grid->setCurrentIndex(cell(3, 1)); // leaving the row posts it
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(readBack(path, "select Name from StdItems where Idx=2"), text::toGbk(QStringLiteral("压缩干粮")));
    EXPECT_EQ(cell(2, 1).data().toString(), QStringLiteral("压缩干粮"));
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

TEST_F(DbGridTest, TheNavigatorPostsAnEditAndTheFileHasItAtOnce)
{
    ASSERT_TRUE(grid->model()->setData(cell(0, 22), QStringLiteral("75")));
    window->DBNavigator->BtnClick(NavigateButton::Post);
    EXPECT_EQ(readBack(path, "select Price from StdItems where Idx=0"), "75");
}

TEST_F(DbGridTest, ACharacterGbkCannotHoldIsRefusedWithAMessageAndNothingIsWritten)
{
    const std::string before = readBack(path, "select Name from StdItems where Idx=4");
    grid->setCurrentIndex(cell(4, 1));
    EXPECT_FALSE(grid->model()->setData(cell(4, 1), QStringLiteral("木剑\u0E01")));
    QApplication::processEvents(); // the refusal is shown once the model call is done
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("\u0E01"))) << asked[0].text.toStdString();
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);
    grid->setCurrentIndex(cell(5, 1));
    EXPECT_EQ(readBack(path, "select Name from StdItems where Idx=4"), before);
    EXPECT_EQ(cell(4, 1).data().toString(), QStringLiteral("木剑"));
}

TEST_F(DbGridTest, EnterMovesOneColumnRightAndStaysOnTheLast)
{
    const int last = grid->model()->columnCount() - 1;
    grid->setCurrentIndex(cell(1, 3));
    pressEnter(grid);
    EXPECT_EQ(grid->currentIndex(), cell(1, 4));
    grid->setCurrentIndex(cell(1, last));
    pressEnter(grid);
    EXPECT_EQ(grid->currentIndex(), cell(1, last));
    EXPECT_EQ(grid->model()->rowCount(), 25) << "no new row";
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);

    QLineEdit *editor = typeInto(cell(1, last), QStringLiteral("3"));
    ASSERT_NE(editor, nullptr);
    pressEnter(editor);
    EXPECT_EQ(grid->currentIndex(), cell(1, last));
    EXPECT_EQ(window->Table->Fields()[last]->AsString(), "3");
}

TEST_F(DbGridTest, TabMovesBetweenCells)
{
    grid->setCurrentIndex(cell(0, 0));
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentIndex(), cell(0, 1));
}

TEST_F(DbGridTest, DeletingARowAsksFirst)
{
    grid->setCurrentIndex(cell(0, 0));
    dialogs.replyMessage(ui::MessageResult::Cancel);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid->model()->rowCount(), 25);
    dialogs.replyMessage(ui::MessageResult::Ok);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid->model()->rowCount(), 24);
    EXPECT_EQ(readBack(path, "select count(*) from StdItems"), "24");
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].buttons, ui::MessageButtons::OkCancel);
    EXPECT_EQ(asked[0].icon, ui::MessageIcon::Question);
}

TEST_F(DbGridTest, AnUntouchedNewRowIsDroppedWhenTheGridLosesTheFocus)
{
    window->activateWindow();
    grid->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->hasFocus());
    grid->setCurrentIndex(cell(3, 0));
    QTest::keyClick(grid, Qt::Key_Insert);
    ASSERT_EQ(window->Table->State(), TDataSetState::dsInsert);
    EXPECT_EQ(grid->model()->rowCount(), 26);
    window->RzEdit1->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window->Table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(grid->model()->rowCount(), 25);
    EXPECT_EQ(readBack(path, "select count(*) from StdItems"), "25");
}

TEST_F(DbGridTest, SeveralWholeRowsCanBeSelected)
{
    grid->clearSelection();
    grid->selectionModel()->select(cell(4, 2), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid->selectionModel()->select(cell(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{1, 4})); // right after an open, row n has id n
    // Ids stay with their rows: a row inserted in front and posted does not
    // shift them, and gets a new id of its own.
    grid->setCurrentIndex(cell(0, 0));
    window->Table->Insert();
    window->Table->FieldByName("Idx")->setAsInteger(900);
    window->Table->Post();
    grid->clearSelection();
    grid->selectionModel()->select(cell(5, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid->selectionModel()->select(cell(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(grid->SelectedRows(), (std::vector<int32_t>{4, 25}));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(grid->alternatingRowColors());
}

TEST_F(DbGridTest, ThePopupMenuFollowsFilterTableAndSelection)
{
    grid->clearSelection();
    window->pm1Popup();
    EXPECT_TRUE(window->N2->isVisible());
    EXPECT_TRUE(window->N5->isEnabled());
    EXPECT_FALSE(window->N1->isEnabled());
    EXPECT_FALSE(window->N4->isEnabled());

    window->Table->setFilter("Stdmode=5");
    ASSERT_GT(grid->model()->rowCount(), 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, grid->visualRect(cell(0, 0)).center());
    window->pm1Popup();
    EXPECT_FALSE(window->N2->isVisible());
    EXPECT_FALSE(window->N5->isEnabled());
    EXPECT_TRUE(window->N1->isEnabled());
    EXPECT_TRUE(window->N4->isEnabled());

    choosePage(*window, 1);
    window->pm1Popup();
    EXPECT_FALSE(window->N2->isVisible()) << "renumbering is for items only";
    EXPECT_TRUE(window->N5->isEnabled());

    const QStringList captions = [&] {
        QStringList out;
        for (const QAction *a : window->pm1->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("复制选择行数据到剪贴板"), QStringLiteral("-"),
                                     QStringLiteral("删除选择行数据"), QStringLiteral("清空所有数据"), QStringLiteral("-"),
                                     QStringLiteral("所有物品重新排序")}));
}

TEST_F(DbGridTest, ACellClickOnTheSkillsPageFillsThePowerTestAndFailuresChangeNothing)
{
    window->RzDBGrid1CellClick(1); // items page: nothing
    EXPECT_EQ(window->powerTest.EditMagicName->text(), QString());

    choosePage(*window, 2);
    window->Table->setRecNo(2);
    window->RzDBGrid1CellClick(0);
    EXPECT_EQ(window->powerTest.EditMagicName->text(), QStringLiteral("治愈术"));
    EXPECT_EQ(window->powerTest.EditPower->value(), 50);
    EXPECT_EQ(window->powerTest.EditMaxPower->value(), 120);
    EXPECT_EQ(window->powerTest.EditDefPower->value(), 10);
    EXPECT_EQ(window->powerTest.EditDefMaxPower->value(), 30);

    window->Table->Close(); // fields are gone: every read fails before any write
    window->RzDBGrid1CellClick(0);
    EXPECT_EQ(window->powerTest.EditMagicName->text(), QStringLiteral("治愈术"));
    EXPECT_EQ(window->powerTest.EditMaxPower->value(), 120);
    EXPECT_TRUE(dialogs.messagesAsked().empty()) << "the handler swallows its errors";
}

TEST_F(DbGridTest, TheNavigatorHasTenButtonsWithTheirHintsAndMovesTheGrid)
{
    const char16_t *hints[] = {u"到首记录", u"上一记录", u"下一记录", u"到尾记录", u"增加数据",
                               u"删除数据", u"修改数据", u"保存修改", u"取消修改", u"刷新数据"};
    for (int i = 0; i < kNavigateButtons; ++i)
        EXPECT_EQ(window->DBNavigator->button(NavigateButton(i))->toolTip(), QString::fromUtf16(hints[i])) << i;

    window->DBNavigator->BtnClick(NavigateButton::Last);
    EXPECT_EQ(grid->currentIndex().row(), 24);
    EXPECT_FALSE(window->DBNavigator->button(NavigateButton::Next)->isEnabled());
    EXPECT_TRUE(window->DBNavigator->button(NavigateButton::First)->isEnabled());
    EXPECT_FALSE(window->DBNavigator->button(NavigateButton::Post)->isEnabled());
    window->DBNavigator->BtnClick(NavigateButton::Edit);
    EXPECT_TRUE(window->DBNavigator->button(NavigateButton::Post)->isEnabled());
    EXPECT_TRUE(window->DBNavigator->button(NavigateButton::Cancel)->isEnabled());
    window->DBNavigator->BtnClick(NavigateButton::Cancel);
    window->DBNavigator->BtnClick(NavigateButton::First);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_FALSE(window->DBNavigator->button(NavigateButton::Prior)->isEnabled());
}

} // namespace
} // namespace torvik::dbwindow::testing
