#include "app/MainUnit.h"
#include "tests/support/ScriptedModalUi.h"
#include "ui/ProgressPane.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

struct CommandCase {
    const char *name;
    const char16_t *caption;
    const char16_t *toolTip;   // the short hint
    const char16_t *statusTip; // the long hint; null: not fixed
    QKeySequence shortcut;
    int tag; // -1: none
};

const CommandCase kCommands[] = {
    {"FileOpen1", u"打开数据库(&O)", u"Open", u"Open a file", QKeySequence(QStringLiteral("Ctrl+O")), -1},
    {"FileClose1", u"关闭数据库(&C)", u"Close", u"Close current file", {}, -1},
    {"FileExit1", u"退出(&X)", u"Exit", u"Exit application", {}, -1},
    {"ActFileExport", u"导出(&E)", u"选择的数据导出", u"选择的数据导出", {}, 0},
    {"ActFileImport", u"导入(&I)", u"导入数据", u"导入数据", {}, 1},
    {"ActEncryptedDatabase", u"加密数据库", u"加密数据库", u"加密数据库", {}, 2},
    {"ActDecryptDatabase", u"解密数据库", u"解密数据库", u"解密数据库", {}, 3},
    {"EditCut1", u"剪切(&t)", u"剪切", u"剪切的选择，并把它放在剪贴板中", QKeySequence(QStringLiteral("Ctrl+X")), -1},
    {"EditCopy1", u"复制(&C)", u"复制", u"复制选择，并把它放在剪贴板上", QKeySequence(QStringLiteral("Ctrl+C")), -1},
    {"EditPaste1", u"粘贴(&P)", u"粘贴", u"插入剪贴板中的内容", QKeySequence(QStringLiteral("Ctrl+V")), -1},
    {"WindowCascade1", u"层叠窗口(&C)", u"层叠窗口", u"层叠窗口", {}, -1},
    {"WindowTileHorizontal1", u"水平平铺(&H)", u"水平平铺", u"水平平铺", {}, -1},
    {"WindowTileVertical1", u"垂直平铺(&V)", u"垂直平铺", u"垂直平铺", {}, -1},
    {"WindowMinimizeAll1", u"最小化所有窗口(&M)", u"最小化所有窗口", u"最小化所有窗口", {}, -1},
    {"WindowArrangeAll1", u"重排全部窗排(&A)", u"重排全部窗排", u"重排全部窗排", {}, -1},
    {"HelpAbout1", u"关于(&A)", u"About", nullptr, {}, -1},
};

class MainWindowLayoutTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    TMainForm form;

    static QStringList entries(const QList<QAction *> &actions)
    {
        QStringList out;
        for (const QAction *a : actions)
            out << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        return out;
    }
};

TEST_F(MainWindowLayoutTest, EveryCommandHasItsCaptionHintShortcutAndTag)
{
    ASSERT_EQ(form.ActionList1.size(), qsizetype(std::size(kCommands)));
    for (qsizetype i = 0; i < form.ActionList1.size(); ++i) {
        const QAction *a = form.ActionList1[i];
        const CommandCase &c = kCommands[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(a->objectName(), QLatin1String(c.name)) << "action list order";
        EXPECT_EQ(a->text(), QString::fromUtf16(c.caption));
        EXPECT_EQ(a->toolTip(), QString::fromUtf16(c.toolTip));
        if (c.statusTip) {
            EXPECT_EQ(a->statusTip(), QString::fromUtf16(c.statusTip));
        }
        EXPECT_EQ(a->shortcut(), c.shortcut);
        if (c.tag >= 0) {
            EXPECT_EQ(a->data().toInt(), c.tag);
        } else {
            EXPECT_FALSE(a->data().isValid());
        }
    }
}

TEST_F(MainWindowLayoutTest, MenusHoldTheirCommandsInOrderAndExportImportOnlyOnTheToolbar)
{
    const QList<QAction *> top = form.menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    const struct {
        QMenu *menu;
        const char16_t *caption;
        const char *hint;
        QStringList items;
    } menus[] = {
        {form.File1, u"文件(&F)", "File related commands",
         {"FileOpen1", "FileClose1", "|", "ActEncryptedDatabase", "ActDecryptDatabase", "|", "FileExit1"}},
        {form.Edit1, u"编辑(&E)", "Edit commands", {"EditCut1", "EditCopy1", "EditPaste1"}},
        {form.Window1, u"窗口(&W)", "Window related commands",
         {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "WindowMinimizeAll1", "WindowArrangeAll1"}},
        {form.Help1, u"帮助(&H)", "Help topics", {"HelpAbout1"}},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(top[i], menus[i].menu->menuAction());
        EXPECT_EQ(menus[i].menu->title(), QString::fromUtf16(menus[i].caption));
        EXPECT_EQ(menus[i].menu->menuAction()->statusTip(), QLatin1String(menus[i].hint));
        EXPECT_EQ(entries(menus[i].menu->actions()), menus[i].items);
    }
    for (const auto &m : menus) {
        EXPECT_FALSE(m.menu->actions().contains(form.ActFileExport));
        EXPECT_FALSE(m.menu->actions().contains(form.ActFileImport));
    }
}

TEST_F(MainWindowLayoutTest, ToolbarShowsItsCommandsWithSeparators)
{
    EXPECT_EQ(entries(form.ToolBar2->actions()),
              (QStringList{"FileOpen1", "FileClose1", "|", "ActFileExport", "ActFileImport", "|", "EditCut1", "EditCopy1",
                           "EditPaste1", "|", "WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1"}));
}

TEST_F(MainWindowLayoutTest, CaptionClientSizeAndStatusPanes)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("KelmarTorvik引擎版本数据库管理工具 (Ashgrover Ver20250526)"));
    EXPECT_EQ(form.width(), 1062);
    EXPECT_EQ(form.height() - form.menuBar()->sizeHint().height(), 596);

    form.show();
    EXPECT_EQ(form.RzStatusPane1->text(), QStringLiteral("Torvik引擎版本数据库管理工具"));
    EXPECT_EQ(form.RzStatusPane2->text(), QStringLiteral("版本：Ver1.0"));
    EXPECT_FALSE(form.Bar->isVisible());
    form.Bar->show();
    form.statusBar()->layout()->activate();
    EXPECT_LT(form.RzStatusPane1->x(), form.Bar->x());
    EXPECT_LT(form.Bar->x(), form.RzStatusPane2->x());
    EXPECT_EQ(form.RzStatusPane2->geometry().right() + 1 > form.statusBar()->width() - 40, true)
        << "the version pane sits at the right edge";
    EXPECT_EQ(ui::mainProgressPane(), form.Bar);
}

TEST_F(MainWindowLayoutTest, ProgressPaneShowsThePercentageOfPartsComplete)
{
    form.show();
    ui::ProgressPane *bar = ui::mainProgressPane();
    ASSERT_NE(bar, nullptr);
    bar->show();
    bar->setTotalParts(8);
    bar->setPartsComplete(0);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->text(), QStringLiteral("0%"));
    for (int i = 0; i < 3; ++i)
        bar->stepIt();
    EXPECT_EQ(bar->partsComplete(), 3);
    EXPECT_EQ(bar->percentComplete(), 37);
    EXPECT_EQ(bar->text(), QStringLiteral("37%"));
    for (int i = 0; i < 10; ++i)
        bar->stepIt(); // never beyond the total
    EXPECT_EQ(bar->text(), QStringLiteral("100%"));
    bar->hide();
    EXPECT_FALSE(bar->isVisible());
}

TEST(MainWindowLifetimeTest, TheMainFormIsReachableWhileItExists)
{
    {
        TMainForm form;
        EXPECT_EQ(MainForm, &form);
    }
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(ui::mainProgressPane(), nullptr);
}

} // namespace
} // namespace torvik::app
