// Export and import from the toolbar, on the active database window: the
// grid's selected rows go to the file, the added rows come back into the grid.

#include "app/MainUnit.h"
#include "dataset/SqliteTable.h"
#include "dbwindow/DBCUnitWin.h"
#include "dbwindow/DbGrid.h"
#include "exchange/GuideUnit.h"
#include "exchange/ImportGridsUnit.h"
#include "exchange/RadioGroup.h"
#include "tests/codec/CodecTestDb.h"
#include "tests/support/GridDriver.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"
#include "ui/ProgressPane.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

// A click on a radio button's or check box's mark.
void clickMark(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QCoreApplication::processEvents();
}

class ExchangeCommandsTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    test::ScratchDir scratch;
    TMainForm form;

    void SetUp() override { form.show(); }
};

TEST_F(ExchangeCommandsTest, SelectedRowsGoOutAndComeBackAsNewRows)
{
    const QString path = scratch.copyFixture("game-plain.db");
    form.OpenDatabaseWindow(path);
    dbwindow::TFrmDBMain *window = form.activeDatabaseWindow();
    ASSERT_NE(window, nullptr);
    test::GridDriver grid(window->RzDBGrid1);
    grid.clickCell(1, 1, Qt::ControlModifier);
    grid.clickCell(3, 1, Qt::ControlModifier);
    ASSERT_EQ(window->RzDBGrid1->SelectedRows(), (std::vector<int32_t>{1, 3}));

    const QString file = scratch.path("items");
    dialogs.replyMessage(ui::MessageResult::Yes);
    dialogs.replyDialog([](QDialog &dialog) {
        auto &guide = dynamic_cast<exchange::TGuideForm &>(dialog);
        clickMark(guide.rg1->button(2));
        clickMark(guide.chk1);
        QTest::mouseClick(guide.btn1, Qt::LeftButton);
        return dialog.result();
    });
    dialogs.replyFile(file);
    form.ActFileExport->trigger();
    EXPECT_TRUE(dialogs.allRepliesUsed());
    const std::string text = test::readFileBytes(file + ".txt");
    EXPECT_EQ(text.rfind(";Idx;Name;", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 2 + 1); // titles, two rows, the empty line
    EXPECT_FALSE(form.Bar->isVisible());
    EXPECT_TRUE(window->RzDBGrid1->SelectedRows().empty()); // the grid was detached meanwhile

    dialogs.replyDialog([](QDialog &dialog) {
        auto &import = dynamic_cast<exchange::TImportForm &>(dialog);
        QTest::mouseClick(import.btn1, Qt::LeftButton);
        QTest::mouseClick(import.btn2, Qt::LeftButton);
        return dialog.result();
    });
    dialogs.replyFile(file + ".txt");
    form.ActFileImport->trigger();
    EXPECT_TRUE(dialogs.allRepliesUsed());
    EXPECT_EQ(test::TestDb(path).single("select count(*) from StdItems"), "27");
    EXPECT_EQ(window->Table->RecordCount(), 27);
    EXPECT_EQ(window->Table->RecNo(), 27);
    EXPECT_EQ(window->RzDBGrid1->model()->rowCount(), 27);
    EXPECT_FALSE(form.Bar->isVisible());
}

} // namespace
} // namespace torvik::app
