// The commands' pictures: the desktop theme's standard icons first, the
// bundled Tango pictures without a theme, and pictures of their own for the
// commands no standard icon describes.

#include "app/MainUnit.h"
#include "app/ProgramIcon.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMdiSubWindow>
#include <QStyle>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

QImage picture(const QIcon &icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage bundled(const QString &name, int size)
{
    const QImage image(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(name));
    EXPECT_FALSE(image.isNull()) << name.toStdString();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Icon lookups follow the theme in force when the form is built; each test
// sets its own and the process-wide one comes back afterwards.
class ThemeGuard {
public:
    ThemeGuard(const QStringList &searchPaths, const QString &name)
        : paths_(QIcon::themeSearchPaths()), name_(QIcon::themeName())
    {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setThemeName(name);
    }
    ~ThemeGuard()
    {
        QIcon::setThemeSearchPaths(paths_);
        QIcon::setThemeName(name_);
    }

private:
    QStringList paths_;
    QString name_;
};

class CommandIconsTest : public ::testing::Test {
protected:
    test::ScriptedModalUi dialogs;
    test::ScratchDir scratch;
};

TEST_F(CommandIconsTest, EveryCommandHasAPictureOfItsOwn)
{
    ThemeGuard noTheme({scratch.path(QString())}, QStringLiteral("none"));
    TMainForm form;
    ASSERT_EQ(form.ActionList1.size(), 16);
    for (int size : {16, 22}) {
        QList<QImage> seen;
        for (const QAction *action : form.ActionList1) {
            const QImage image = picture(action->icon(), size);
            ASSERT_EQ(image.size(), QSize(size, size)) << action->objectName().toStdString();
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(opaque, size * size / 8) << action->objectName().toStdString() << " is nearly empty at " << size;
            for (int i = 0; i < seen.size(); ++i)
                EXPECT_NE(image, seen[i]) << action->objectName().toStdString() << " looks like "
                                          << form.ActionList1[i]->objectName().toStdString() << " at " << size;
            seen.append(image);
        }
    }
}

TEST_F(CommandIconsTest, WithoutADesktopThemeStandardCommandsShowTheBundledTangoPictures)
{
    ThemeGuard noTheme({scratch.path(QString())}, QStringLiteral("none"));
    TMainForm form;
    const struct {
        QAction *action;
        const char *tango;
        QStyle::StandardPixmap wrongBefore; // what the toolbar showed by mistake
    } cases[] = {
        {form.EditCut1, "edit-cut", QStyle::SP_DialogDiscardButton},
        {form.EditCopy1, "edit-copy", QStyle::SP_FileDialogContentsView},
        {form.EditPaste1, "edit-paste", QStyle::SP_DialogApplyButton},
        {form.FileOpen1, "document-open", QStyle::SP_DialogOpenButton},
        {form.FileExit1, "system-log-out", QStyle::SP_TitleBarCloseButton},
        {form.HelpAbout1, "dialog-information", QStyle::SP_MessageBoxInformation},
    };
    for (const auto &c : cases) {
        for (int size : {16, 22})
            EXPECT_EQ(picture(c.action->icon(), size), bundled(QLatin1String(c.tango), size)) << c.tango << " " << size;
        EXPECT_NE(picture(c.action->icon(), 22), picture(form.style()->standardIcon(c.wrongBefore), 22)) << c.tango;
    }
}

TEST_F(CommandIconsTest, TheDesktopThemesStandardIconsComeFirst)
{
    // A desktop theme with a plain colour per freedesktop name.
    const struct {
        QAction *TMainForm::*action;
        const char *name;
        QRgb colour;
    } cases[] = {
        {&TMainForm::FileOpen1, "document-open", qRgb(200, 0, 0)},
        {&TMainForm::FileClose1, "window-close", qRgb(0, 200, 0)},
        {&TMainForm::FileExit1, "application-exit", qRgb(0, 0, 200)},
        {&TMainForm::EditCut1, "edit-cut", qRgb(200, 200, 0)},
        {&TMainForm::EditCopy1, "edit-copy", qRgb(0, 200, 200)},
        {&TMainForm::EditPaste1, "edit-paste", qRgb(200, 0, 200)},
        {&TMainForm::HelpAbout1, "help-about", qRgb(90, 90, 90)},
    };
    const QString root = scratch.path(QStringLiteral("desk"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/22x22/actions")));
    QFile index(root + QStringLiteral("/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=desk\nDirectories=22x22/actions\n\n[22x22/actions]\nSize=22\nType=Fixed\n");
    index.close();
    for (const auto &c : cases) {
        QImage plain(22, 22, QImage::Format_ARGB32);
        plain.fill(c.colour);
        ASSERT_TRUE(plain.save(QStringLiteral("%1/22x22/actions/%2.png").arg(root, QLatin1String(c.name))));
    }

    ThemeGuard desk({scratch.path(QString())}, QStringLiteral("desk"));
    TMainForm form;
    for (const auto &c : cases)
        EXPECT_EQ(picture((form.*c.action)->icon(), 22).pixel(11, 11), c.colour) << c.name;
}

TEST_F(CommandIconsTest, DatabaseWindowsShowTheProgramsIcon)
{
    TMainForm form;
    form.show();
    dialogs.replyFile(scratch.copyFixture(QStringLiteral("game-plain.db")));
    form.FileOpen1->trigger();
    ASSERT_EQ(form.childWindows().size(), 1);
    QMdiSubWindow *child = form.childWindows().front();
    for (int size : {16, 32})
        EXPECT_EQ(picture(child->windowIcon(), size), picture(programIcon(), size)) << size;
    // The title bar paints the icon the window had when it was made; giving it
    // the program's icon by hand must change nothing on screen.
    const QImage shown = child->grab().toImage();
    child->setWindowIcon(programIcon());
    EXPECT_EQ(shown, child->grab().toImage()) << "the title bar shows another icon";
}

} // namespace
} // namespace torvik::app
