#include "app/MainUnit.h"
#include "dbwindow/DBCUnitWin.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

class OpenCommandTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    test::ScratchDir scratch;
    TMainForm form;

    void SetUp() override { form.show(); }

    void choose(const QString &path)
    {
        dialogs.replyFile(path);
        form.FileOpen1->trigger();
    }

    QStringList captions() const
    {
        QStringList out;
        for (const QMdiSubWindow *w : form.childWindows())
            out << w->windowTitle();
        return out;
    }
};

TEST_F(OpenCommandTest, APathContainingGamedataDbAnywhereIsRefused)
{
    QDir(scratch.path(QString())).mkpath(QStringLiteral("GameData.db"));
    const QString paths[] = {
        scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("GAMEDATA.DB")),
        scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("old_gamedata.dbx")),
        scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("GameData.db/items.db")),
    };
    for (const QString &path : paths) {
        dialogs.clear();
        choose(path);
        const auto asked = dialogs.messagesAsked();
        ASSERT_EQ(asked.size(), 1u) << path.toStdString();
        EXPECT_EQ(asked[0].owner, &form);
        EXPECT_EQ(asked[0].caption, QStringLiteral("提示"));
        EXPECT_EQ(asked[0].icon, ui::MessageIcon::Information);
        EXPECT_EQ(asked[0].buttons, ui::MessageButtons::Ok);
        EXPECT_EQ(asked[0].text, QStringLiteral("选择的数据库文件错误，当前工具仅支持打开\"Ashgrove.DB\""));
    }
    EXPECT_TRUE(form.childWindows().isEmpty());
}

TEST_F(OpenCommandTest, CancellingTheDialogOrChoosingAMissingFileDoesNothing)
{
    choose(QString());
    choose(scratch.path(QStringLiteral("gone.db")));
    choose(scratch.path(QString())); // a folder is not a file
    EXPECT_TRUE(form.childWindows().isEmpty());
    EXPECT_TRUE(dialogs.messagesAsked().empty());
    ASSERT_EQ(dialogs.asked().size(), 3u);
    EXPECT_EQ(dialogs.asked()[0].file.filter, QStringLiteral("All files (*)"));
    EXPECT_EQ(dialogs.asked()[0].file.directory, QString());
}

TEST_F(OpenCommandTest, TheSamePathOpensOnceAndAnotherLetterCaseOpensASecondWindow)
{
    const QString lower = scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("game.db"));
    const QString upper = scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("GAME.db"));
    choose(lower);
    choose(upper);
    EXPECT_EQ(captions(), (QStringList{lower, upper}));
    EXPECT_EQ(form.mdiArea()->activeSubWindow()->windowTitle(), upper);

    choose(lower);
    EXPECT_EQ(captions(), (QStringList{lower, upper})) << "an open path is only activated";
    EXPECT_EQ(form.mdiArea()->activeSubWindow()->windowTitle(), lower);
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

TEST_F(OpenCommandTest, ReopeningAMinimisedWindowRestoresItAndAMaximisedActiveWindowHandsOverTheMaximisedState)
{
    const QString a = scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("a.db"));
    const QString b = scratch.copyFixture(QStringLiteral("game-plain.db"), QStringLiteral("b.db"));
    form.OpenDatabaseWindow(a);
    form.OpenDatabaseWindow(b);
    QMdiSubWindow *wa = form.childWindows()[0];
    QMdiSubWindow *wb = form.childWindows()[1];

    wa->showMinimized();
    form.OpenDatabaseWindow(a);
    EXPECT_FALSE(wa->isMinimized());
    EXPECT_FALSE(wa->isMaximized());
    EXPECT_EQ(form.mdiArea()->activeSubWindow(), wa);

    form.mdiArea()->setActiveSubWindow(wb);
    wb->showMaximized();
    form.OpenDatabaseWindow(a);
    EXPECT_FALSE(wb->isMaximized());
    EXPECT_TRUE(wa->isMaximized());
    EXPECT_EQ(form.mdiArea()->activeSubWindow(), wa);
    EXPECT_EQ(form.childWindows().size(), 2);
}

TEST_F(OpenCommandTest, CancellingThePasswordClosesTheWindowAndChoosingTheFileAgainAsksAgain)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-encrypted-123456.db"));
    dialogs.cancelPassword();
    choose(path);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.childWindows().isEmpty());

    dialogs.replyPassword(QStringLiteral("123456"));
    choose(path);
    EXPECT_EQ(captions(), QStringList{path});
    EXPECT_TRUE(dialogs.allRepliesUsed());
}

TEST_F(OpenCommandTest, AnErrorWhileOpeningIsShownAndTheWindowStaysWithItsCaption)
{
    const QString path = scratch.path(QStringLiteral("empty.db"));
    test::writeFileBytes(path, std::string()); // an empty file is a database without tables
    choose(path);
    const auto asked = dialogs.messagesAsked();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("no such table: StdItems"))) << asked[0].text.toStdString();
    EXPECT_EQ(captions(), QStringList{path});

    dialogs.clear();
    choose(path); // it remains the window of that path
    EXPECT_EQ(captions(), QStringList{path});
    EXPECT_TRUE(dialogs.messagesAsked().empty());
}

TEST_F(OpenCommandTest, ANewWindowIsADatabaseWindowShowingTheFile)
{
    const QString path = scratch.copyFixture(QStringLiteral("game-plain.db"));
    choose(path);
    ASSERT_EQ(form.childWindows().size(), 1);
    auto *window = qobject_cast<dbwindow::TFrmDBMain *>(form.childWindows()[0]);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(form.activeDatabaseWindow(), window);
    EXPECT_EQ(window->windowTitle(), path);
}

} // namespace
} // namespace torvik::app
