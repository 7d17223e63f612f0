// The row commands of the grid's popup menu, chosen with the mouse on rows
// selected with the mouse, checked against the file through another
// connection.

#include "tests/dbwindow/DbWindowTestSupport.h"
#include "tests/dbwindow/WindowDriving.h"

#include "dataset/DataSource.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DbGrid.h"
#include "tests/support/GridDriver.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

namespace torvik::dbwindow::testing {
namespace {

using ui::MessageButtons;
using ui::MessageIcon;
using ui::MessageResult;

class RowCommandsTest : public DbWindowTest {
protected:
    // Items numbered 10, 11, ... in rowid order, with GBK names.
    QString openItems(const QString &extraSql = {})
    {
        path = makeDatabase(scratch, QStringLiteral("rows.db"),
                            QStringLiteral("CREATE TABLE StdItems (Idx INTEGER, Name CHAR(14), Note TEXT);"
                                           "INSERT INTO StdItems VALUES (10, '屠龙刀', 'a;b');"
                                           "INSERT INTO StdItems VALUES (11, '木剑', NULL);"
                                           "INSERT INTO StdItems VALUES (12, '裁决之杖', '战士');"
                                           "INSERT INTO StdItems VALUES (13, 'Sword', 'x');"
                                           "INSERT INTO StdItems VALUES (14, '骨玉权杖', '');"
                                           "INSERT INTO StdItems VALUES (15, '龙纹剑', 'y');"
                                           "CREATE TABLE Monster (Name CHAR(14), NameColor INTEGER);") +
                                extraSql);
        openWindow(path);
        return path;
    }

    // Ctrl+clicks on the rows.
    void selectRows(std::initializer_list<int> rows)
    {
        test::GridDriver grid(window->RzDBGrid1);
        for (const int row : rows)
            grid.clickCell(row, 0, Qt::ControlModifier);
    }

    std::string indexes() const { return readBack(path, "select group_concat(Idx, ',') from (select Idx from StdItems order by rowid)"); }

    QString path;
};

TEST_F(RowCommandsTest, CopyPutsTheSelectedRowsOnTheClipboardJoinedByCrLf)
{
    openItems();
    selectRows({0, 2, 1});
    ASSERT_TRUE(chooseFromPopup(*window, 1, window->N1));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("10;屠龙刀;a;b\r\n11;木剑;\r\n12;裁决之杖;战士")) << "grid order, no line break at the end";
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("复制成功！"));
    EXPECT_EQ(asked[0].icon, MessageIcon::Information);
    EXPECT_EQ(window->Table->FieldByName("Idx")->AsInteger(), 12) << "the last selected row is current";
}

TEST_F(RowCommandsTest, CopyKeepsTheSelectionAndDeleteEmptiesIt)
{
    openItems();
    selectRows({0, 2, 1});
    ASSERT_TRUE(chooseFromPopup(*window, 1, window->N1));
    EXPECT_EQ(window->RzDBGrid1->SelectedRows(), (std::vector<int32_t>{0, 1, 2}));
    dialogs.replyMessage(MessageResult::Ok);
    ASSERT_TRUE(chooseFromPopup(*window, 1, window->N4));
    EXPECT_EQ(indexes(), "13,14,15");
    EXPECT_TRUE(window->RzDBGrid1->SelectedRows().empty()) << "the reopen empties the selection";
}

TEST_F(RowCommandsTest, CopyWithNothingSelectedEmptiesTheClipboardAndStillReports)
{
    openItems();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    window->RzDBGrid1->clearSelection();
    EXPECT_FALSE(chooseFromPopup(*window, kBelowTheRows, window->N1)) << "not offered without a selection";
    EXPECT_FALSE(chooseFromPopup(*window, kBelowTheRows, window->N4));
    window->N1Click(); // invoked anyway
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    ASSERT_EQ(dialogs.messagesAsked().size(), 1u);
    EXPECT_EQ(dialogs.messagesAsked()[0].text, QStringLiteral("复制成功！"));
}

TEST_F(RowCommandsTest, DeleteRemovesExactlyTheSelectedRowsAfterEarlierInserts)
{
    openItems();
    // Rows inserted and posted earlier shift the rows on screen; the
    // selection still names the rows the user picked.
    window->Table->First();
    window->Table->Insert();
    window->Table->FieldByName("Idx")->setAsInteger(90);
    window->Table->Post();
    window->Table->Last();
    window->Table->Insert();
    window->Table->FieldByName("Idx")->setAsInteger(91);
    window->Table->Post();
    const QStringList shown = shownColumn(*window, "Idx");
    const int row11 = int(shown.indexOf(QStringLiteral("11")));
    const int row13 = int(shown.indexOf(QStringLiteral("13")));
    const int row91 = int(shown.indexOf(QStringLiteral("91")));
    selectRows({row11, row13, row91});

    dialogs.replyMessage(MessageResult::Cancel);
    ASSERT_TRUE(chooseFromPopup(*window, row13, window->N4));
    EXPECT_EQ(indexes(), "10,11,12,13,14,15,90,91") << "Cancel deletes nothing";

    dialogs.clear();
    dialogs.replyMessage(MessageResult::Ok);
    const int row12 = int(shown.indexOf(QStringLiteral("12")));
    ASSERT_TRUE(chooseFromPopup(*window, row12, window->N4)) << "a right click on another row keeps the selection";
    EXPECT_EQ(indexes(), "10,12,14,15,90");
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("删除选择的行数据"));
    EXPECT_EQ(asked[0].text, QStringLiteral("确定删除选择的行数据？删除前请备份，因为这将是不可恢复的。"));
    EXPECT_EQ(asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(asked[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(asked[1].text, QStringLiteral("删除成功！"));
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 5);
}

TEST_F(RowCommandsTest, DeleteWithNothingSelectedAsksNothing)
{
    openItems();
    window->RzDBGrid1->clearSelection();
    window->N4Click();
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(indexes(), "10,11,12,13,14,15");
}

TEST_F(RowCommandsTest, AnErrorWhileDeletingStopsWithTheRowsBeforeItDeleted)
{
    openItems(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON StdItems WHEN old.Idx = 12 "
                             "BEGIN SELECT RAISE(ABORT, 'row 12 is kept'); END;"));
    selectRows({1, 2, 4});
    dialogs.replyMessage(MessageResult::Ok);
    ASSERT_TRUE(chooseFromPopup(*window, 2, window->N4));
    EXPECT_EQ(indexes(), "10,12,13,14,15");
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[1].text.contains(QStringLiteral("row 12 is kept"))) << asked[1].text.toStdString();
    EXPECT_EQ(asked[1].icon, MessageIcon::Error) << "the general handler reports it; no success message";
}

TEST_F(RowCommandsTest, ClearEmptiesTheWholeTableAndSucceedsOnAnEmptyOne)
{
    openItems();
    dialogs.replyMessage(MessageResult::Cancel);
    ASSERT_TRUE(chooseFromPopup(*window, 0, window->N5));
    EXPECT_EQ(readBack(path, "select count(*) from StdItems"), "6");

    dialogs.replyMessage(MessageResult::Ok);
    ASSERT_TRUE(chooseFromPopup(*window, 0, window->N5));
    EXPECT_EQ(readBack(path, "select count(*) from StdItems"), "0");
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 0);

    choosePage(*window, 1); // the empty monster table
    dialogs.clear();
    dialogs.replyMessage(MessageResult::Ok);
    window->N5Click();
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("清空表"));
    EXPECT_EQ(asked[0].text, QStringLiteral("确定清空表？清空表前请备份，因为这将是不可恢复的。"));
    EXPECT_EQ(asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(asked[1].text, QStringLiteral("清空表成功！"));
}

TEST_F(RowCommandsTest, RenumberGivesTheItemsZeroOneTwoInGridOrder)
{
    openItems();
    dialogs.replyMessage(MessageResult::Ok);
    ASSERT_TRUE(chooseFromPopup(*window, 0, window->N2));
    EXPECT_EQ(indexes(), "0,1,2,3,4,5");
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u) << "no message when it ends";
    EXPECT_EQ(asked[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(asked[0].text, QStringLiteral("是否确定要重新排序？"));
    EXPECT_EQ(asked[0].icon, MessageIcon::Question);
    EXPECT_TRUE(window->N2->isEnabled());
    EXPECT_EQ(window->DataSource->DataSet(), window->Table);
    EXPECT_EQ(shownColumn(*window, "Idx"), (QStringList{"0", "1", "2", "3", "4", "5"}));
}

TEST_F(RowCommandsTest, RenumberDoesNothingOnOtherTables)
{
    openItems();
    for (const char *other : {"Monster", "stditems"}) {
        window->Table->setTableName(other);
        window->Table->Open();
        window->N2Click();
        EXPECT_TRUE(dialogs.asked().empty()) << other;
    }
    EXPECT_EQ(indexes(), "10,11,12,13,14,15");
}

TEST_F(RowCommandsTest, AnErrorWhileRenumberingCommitsTheNumbersGivenSoFar)
{
    openItems(QStringLiteral("CREATE TRIGGER stop BEFORE UPDATE ON StdItems WHEN new.Idx = 2 "
                             "BEGIN SELECT RAISE(ABORT, 'numbering stopped'); END;"));
    dialogs.replyMessage(MessageResult::Ok);
    ASSERT_TRUE(chooseFromPopup(*window, 0, window->N2));
    EXPECT_EQ(indexes(), "0,1,12,13,14,15") << "read through another connection: committed";
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[1].text.contains(QStringLiteral("numbering stopped"))) << asked[1].text.toStdString();
    EXPECT_TRUE(window->N2->isEnabled());
    EXPECT_EQ(window->DataSource->DataSet(), window->Table) << "the grid is attached again";
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 6);
}

} // namespace
} // namespace torvik::dbwindow::testing
