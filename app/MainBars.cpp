// The main window's menu bar, toolbar and status bar.

#include "app/MainUnit.h"
#include "ui/ProgressPane.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace torvik::app {

namespace {

QMenu *addTopMenu(QMenuBar *bar, const char *name, const QString &caption, const QString &hint)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    menu->menuAction()->setStatusTip(hint);
    menu->setToolTipsVisible(true);
    return menu;
}

} // namespace

void TMainForm::createMenus()
{
    QMenuBar *MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    File1 = addTopMenu(MainMenu1, "File1", QStringLiteral("文件(&F)"), QStringLiteral("File related commands"));
    File1->addAction(FileOpen1);
    File1->addAction(FileClose1);
    File1->addSeparator();
    File1->addAction(ActEncryptedDatabase);
    File1->addAction(ActDecryptDatabase);
    File1->addSeparator();
    File1->addAction(FileExit1);

    Edit1 = addTopMenu(MainMenu1, "Edit1", QStringLiteral("编辑(&E)"), QStringLiteral("Edit commands"));
    Edit1->addAction(EditCut1);
    Edit1->addAction(EditCopy1);
    Edit1->addAction(EditPaste1);

    Window1 = addTopMenu(MainMenu1, "Window1", QStringLiteral("窗口(&W)"), QStringLiteral("Window related commands"));
    Window1->addAction(WindowCascade1);
    Window1->addAction(WindowTileHorizontal1);
    Window1->addAction(WindowTileVertical1);
    Window1->addAction(WindowMinimizeAll1);
    Window1->addAction(WindowArrangeAll1);
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::refreshWindowMenu);

    Help1 = addTopMenu(MainMenu1, "Help1", QStringLiteral("帮助(&H)"), QStringLiteral("Help topics"));
    Help1->addAction(HelpAbout1);
}

void TMainForm::createToolBar()
{
    ToolBar2 = addToolBar(QStringLiteral("ToolBar2"));
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setMovable(false);
    ToolBar2->setToolButtonStyle(Qt::ToolButtonIconOnly); // hints show as tooltips
    ToolBar2->addAction(FileOpen1);
    ToolBar2->addAction(FileClose1);
    ToolBar2->addSeparator();
    ToolBar2->addAction(ActFileExport);
    ToolBar2->addAction(ActFileImport);
    ToolBar2->addSeparator();
    ToolBar2->addAction(EditCut1);
    ToolBar2->addAction(EditCopy1);
    ToolBar2->addAction(EditPaste1);
    ToolBar2->addSeparator();
    ToolBar2->addAction(WindowCascade1);
    ToolBar2->addAction(WindowTileHorizontal1);
    ToolBar2->addAction(WindowTileVertical1);
}

void TMainForm::createStatusBar()
{
    QStatusBar *RzStatusBar1 = statusBar();
    RzStatusBar1->setObjectName(QStringLiteral("RzStatusBar1"));

    RzStatusPane1 = new QLabel(QStringLiteral("Torvik引擎版本数据库管理工具"), RzStatusBar1);
    RzStatusPane1->setObjectName(QStringLiteral("RzStatusPane1"));
    RzStatusBar1->addWidget(RzStatusPane1);

    Bar = new ui::ProgressPane(RzStatusBar1);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setMaximumWidth(240);
    RzStatusBar1->addWidget(Bar);
    Bar->hide(); // addWidget shows it
    ui::setMainProgressPane(Bar);

    RzStatusPane2 = new QLabel(QStringLiteral("版本：Ver1.0"), RzStatusBar1);
    RzStatusPane2->setObjectName(QStringLiteral("RzStatusPane2"));
    RzStatusBar1->addPermanentWidget(RzStatusPane2);
}

} // namespace torvik::app
