// Closing the main window with an edit the user typed but did not post: the
// edit reaches the file, and one the file refuses keeps everything open.

#include "app/MainUnit.h"
#include "dbwindow/DBCUnitWin.h"
#include "tests/support/GridDriver.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

std::string weightOfFirstItem(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, "select Weight from StdItems where rowid=1", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        value = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
}

TEST(CloseWithPendingEdit, TheMainWindowPostsItAndStaysOpenWhenTheFileRefusesIt)
{
    test::ScriptedModalUi dialogs;
    test::ScratchDir scratch;
    TMainForm form;
    form.show();
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    dialogs.replyFile(path);
    form.FileOpen1->trigger();
    dbwindow::TFrmDBMain *window = form.activeDatabaseWindow();
    ASSERT_NE(window, nullptr);
    test::GridDriver grid(window->RzDBGrid1);
    constexpr int kWeight = 4;

    grid.clickCell(0, kWeight);
    grid.type(QStringLiteral("abc"));
    form.FileExit1->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(form.isVisible()) << "a refused edit keeps the application open";
    ASSERT_EQ(form.childWindows().size(), 1);
    ASSERT_EQ(dialogs.messagesAsked().size(), 1u);
    ASSERT_NE(grid.editor(), nullptr);
    EXPECT_EQ(grid.editor()->text(), QStringLiteral("abc"));

    grid.editor()->selectAll();
    grid.type(QStringLiteral("55"));
    form.FileExit1->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(weightOfFirstItem(path), "55");
}

} // namespace
} // namespace torvik::app
