#include "app/MainUnit.h"
#include "tests/support/ScriptedModalUi.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

class CommandStateTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    TMainForm form;

    void SetUp() override
    {
        QGuiApplication::clipboard()->clear();
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // A plain child window with a text field, standing in for a database window.
    QLineEdit *addChildWithField(const QString &caption)
    {
        auto *child = new QMdiSubWindow;
        child->setAttribute(Qt::WA_DeleteOnClose);
        auto *content = new QWidget;
        auto *edit = new QLineEdit(content);
        (new QVBoxLayout(content))->addWidget(edit);
        child->setWidget(content);
        child->setWindowTitle(caption);
        form.mdiArea()->addSubWindow(child);
        child->show();
        form.mdiArea()->setActiveSubWindow(child);
        return edit;
    }

    QList<QAction *> windowCommands() const
    {
        return {form.WindowCascade1, form.WindowTileHorizontal1, form.WindowTileVertical1, form.WindowMinimizeAll1,
                form.WindowArrangeAll1};
    }
};

TEST_F(CommandStateTest, WithoutChildWindowsOnlyTheFrameCommandsAreEnabled)
{
    EXPECT_TRUE(form.FileOpen1->isEnabled());
    EXPECT_TRUE(form.FileExit1->isEnabled());
    EXPECT_TRUE(form.HelpAbout1->isEnabled());
    EXPECT_FALSE(form.FileClose1->isEnabled());
    for (QAction *a : windowCommands())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(form.EditCut1->isEnabled());
    EXPECT_FALSE(form.EditCopy1->isEnabled());
    for (QAction *a : {form.ActFileExport, form.ActFileImport, form.ActEncryptedDatabase, form.ActDecryptDatabase})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(CommandStateTest, WindowCommandsFollowTheChildWindowsAndCloseClosesTheActiveOne)
{
    addChildWithField(QStringLiteral("/a.db"));
    EXPECT_TRUE(form.FileClose1->isEnabled());
    for (QAction *a : windowCommands())
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();

    form.FileClose1->trigger();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.childWindows().isEmpty());
    EXPECT_FALSE(form.FileClose1->isEnabled());
    for (QAction *a : windowCommands())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(CommandStateTest, ClipboardCommandsFollowTheFocusedFieldAndTheClipboard)
{
    QLineEdit *edit = addChildWithField(QStringLiteral("/a.db"));
    edit->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    edit->setText(QStringLiteral("骷髅"));
    edit->deselect();
    EXPECT_FALSE(form.EditCut1->isEnabled());
    EXPECT_FALSE(form.EditCopy1->isEnabled());
    EXPECT_FALSE(form.EditPaste1->isEnabled());

    edit->selectAll();
    EXPECT_TRUE(form.EditCut1->isEnabled());
    EXPECT_TRUE(form.EditCopy1->isEnabled());
    form.EditCopy1->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("骷髅"));
    EXPECT_TRUE(form.EditPaste1->isEnabled());

    form.EditCut1->trigger();
    EXPECT_EQ(edit->text(), QString());
    EXPECT_FALSE(form.EditCut1->isEnabled());
    form.EditPaste1->trigger();
    form.EditPaste1->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("骷髅骷髅"));

    edit->setReadOnly(true);
    edit->selectAll();
    EXPECT_FALSE(form.EditCut1->isEnabled()) << "nothing to cut from a read-only field";
    EXPECT_TRUE(form.EditCopy1->isEnabled());
}

TEST_F(CommandStateTest, WindowMenuListsTheOpenChildWindowsAndActivatesTheChosenOne)
{
    addChildWithField(QStringLiteral("/data/a.db"));
    addChildWithField(QStringLiteral("/data/R&D.db"));
    form.refreshWindowMenu();
    QStringList listed;
    QList<QAction *> entries;
    bool pastSeparator = false;
    for (QAction *a : form.Window1->actions()) {
        if (a->isSeparator()) {
            pastSeparator = true;
            continue;
        }
        if (pastSeparator) {
            listed << a->text();
            entries << a;
        }
    }
    EXPECT_EQ(listed, (QStringList{QStringLiteral("/data/a.db"), QStringLiteral("/data/R&&D.db")}));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[1]->isChecked()) << "the active window is marked";
    entries[0]->trigger();
    EXPECT_EQ(form.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("/data/a.db"));

    form.refreshWindowMenu(); // rebuilt, not appended
    EXPECT_EQ(form.Window1->actions().size(), 5 + 1 + 2);
}

} // namespace
} // namespace torvik::app
