#include "app/MainUnit.h"
#include "tests/support/ScriptedModalUi.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

class WindowArrangeTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    TMainForm form;
    QList<QMdiSubWindow *> children;

    void SetUp() override
    {
        form.show();
        for (int i = 0; i < 3; ++i) {
            auto *child = new QMdiSubWindow;
            child->setWidget(new QWidget);
            child->setWindowTitle(QStringLiteral("/w%1.db").arg(i));
            form.mdiArea()->addSubWindow(child);
            child->resize(300, 200);
            child->show();
            children << child;
        }
    }

    QRect client() const { return form.mdiArea()->viewport()->rect(); }
};

TEST_F(WindowArrangeTest, TileHorizontallyStacksFullWidthWindowsTopToBottom)
{
    children[1]->showMaximized();
    form.WindowTileHorizontal1->trigger();
    int top = 0;
    for (QMdiSubWindow *w : children) {
        EXPECT_FALSE(w->isMaximized());
        EXPECT_EQ(w->geometry().left(), 0);
        EXPECT_EQ(w->geometry().width(), client().width());
        EXPECT_EQ(w->geometry().top(), top);
        top = w->geometry().bottom() + 1;
    }
    EXPECT_EQ(top, client().height());
}

TEST_F(WindowArrangeTest, TileVerticallyPutsFullHeightWindowsSideBySide)
{
    form.WindowTileVertical1->trigger();
    int left = 0;
    for (QMdiSubWindow *w : children) {
        EXPECT_EQ(w->geometry().top(), 0);
        EXPECT_EQ(w->geometry().height(), client().height());
        EXPECT_EQ(w->geometry().left(), left);
        left = w->geometry().right() + 1;
    }
    EXPECT_EQ(left, client().width());
}

TEST_F(WindowArrangeTest, MinimiseAllThenArrangeIconsLinesThemUpAlongTheBottom)
{
    form.WindowMinimizeAll1->trigger();
    for (QMdiSubWindow *w : children)
        EXPECT_TRUE(w->isMinimized());
    children[0]->move(200, 10);
    form.WindowArrangeAll1->trigger();
    int left = 0;
    for (QMdiSubWindow *w : children) {
        EXPECT_EQ(w->geometry().bottom() + 1, client().height());
        EXPECT_EQ(w->geometry().left(), left);
        left = w->geometry().right() + 1;
    }
}

TEST_F(WindowArrangeTest, TilingLeavesMinimisedWindowsAlone)
{
    children[2]->showMinimized();
    const QRect iconPlace = children[2]->geometry();
    form.WindowTileVertical1->trigger();
    EXPECT_TRUE(children[2]->isMinimized());
    EXPECT_EQ(children[2]->geometry(), iconPlace);
    EXPECT_EQ(children[0]->width() + children[1]->width(), client().width());
}

} // namespace
} // namespace torvik::app
