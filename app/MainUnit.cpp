#include "app/MainUnit.h"

#include "app/About.h"
#include "app/ProgramIcon.h"
#include "app/TextFieldCommands.h"
#include "dbwindow/DBCUnitWin.h"
#include "ui/ErrorReport.h"
#include "ui/ProgressPane.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace torvik::app {

TMainForm *MainForm = nullptr;

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("KelmarTorvik引擎版本数据库管理工具 (Ashgrover Ver20250526)"));
    setWindowIcon(programIcon());

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiClient"));
    mdi_->setBackground(QApplication::palette().brush(QPalette::Dark)); // the workspace colour
    setCentralWidget(mdi_);

    OpenDialog.owner = this;
    OpenDialog.caption = QStringLiteral("打开");
    OpenDialog.filter = QStringLiteral("All files (*)");

    createCommands();
    createMenus();
    createToolBar();
    createStatusBar();

    connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainForm::updateCommands);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { watchFocusedTextField(now); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::updateCommands);
    updateCommands();

    // The client area excludes the menu bar, as on the system's home platform.
    resize(1062, 596 + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    MainForm = this;
}

TMainForm::~TMainForm()
{
    // The child windows go while this object is still whole, and without
    // telling it: its command states no longer matter.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(focusedSelection_);
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow *child : childWindows())
        disconnect(child, nullptr, this, nullptr);
    delete mdi_;
    mdi_ = nullptr;
    if (MainForm == this)
        MainForm = nullptr;
    if (ui::mainProgressPane() == Bar)
        ui::setMainProgressPane(nullptr);
}

QList<QMdiSubWindow *> TMainForm::childWindows() const
{
    return mdi_->subWindowList(QMdiArea::CreationOrder);
}

dbwindow::TFrmDBMain *TMainForm::activeDatabaseWindow() const
{
    return qobject_cast<dbwindow::TFrmDBMain *>(mdi_->activeSubWindow());
}

void TMainForm::FileOpen1Execute()
{
    const QString path = ui::modalUi().openFile(OpenDialog);
    if (path.isEmpty())
        return;
    if (path.toUpper().contains(QLatin1String("GAMEDATA.DB"))) {
        ui::modalUi().message({this, QStringLiteral("提示"),
                               QStringLiteral("选择的数据库文件错误，当前工具仅支持打开\"Ashgrove.DB\""),
                               ui::MessageIcon::Information, ui::MessageButtons::Ok});
        return;
    }
    OpenDatabaseWindow(path);
}

void TMainForm::FileExit1Execute()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    mdi_->closeAllSubWindows();
    if (!childWindows().isEmpty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TMainForm::HelpAbout1Execute()
{
    if (AboutBox)
        AboutBox->exec();
}

void TMainForm::OpenDatabaseWindow(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || file.isDir())
        return;

    for (QMdiSubWindow *child : childWindows()) {
        if (child->windowTitle() != path)
            continue;
        QMdiSubWindow *active = mdi_->activeSubWindow();
        if (active && active->isMaximized()) {
            active->showNormal();
            child->showMaximized();
            mdi_->setActiveSubWindow(child);
        } else {
            child->showNormal();
            mdi_->setActiveSubWindow(child);
            child->raise();
        }
        return;
    }

    auto *window = new dbwindow::TFrmDBMain;
    window->setWindowTitle(path);
    mdi_->addSubWindow(window);
    // Room for the whole window, navigator included, inside the frame.
    const QSize room = mdi_->viewport()->size();
    window->resize(qMin(window->width(), room.width() * 19 / 20), qMin(window->height(), room.height() * 19 / 20));
    watchChildWindow(window);
    window->show();
    window->OpenDatabase(path);
}

void TMainForm::watchChildWindow(QMdiSubWindow *window)
{
    connect(window, &QMdiSubWindow::windowStateChanged, this, &TMainForm::updateCommands);
    connect(window, &QObject::destroyed, this, &TMainForm::updateCommands, Qt::QueuedConnection);
}

void TMainForm::watchFocusedTextField(QWidget *)
{
    disconnect(focusedSelection_);
    if (QLineEdit *edit = focusedTextField())
        focusedSelection_ = connect(edit, &QLineEdit::selectionChanged, this, &TMainForm::updateCommands);
    updateCommands();
}

void TMainForm::updateCommands()
{
    const bool anyChild = !childWindows().isEmpty();
    FileClose1->setEnabled(mdi_->activeSubWindow() != nullptr);
    for (QAction *command : {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1, WindowMinimizeAll1,
                             WindowArrangeAll1})
        command->setEnabled(anyChild);
    EditCut1->setEnabled(canCutFocusedText());
    EditCopy1->setEnabled(canCopyFocusedText());
    EditPaste1->setEnabled(clipboardHoldsText());
    ActFileImportUpdate();
}

void TMainForm::refreshWindowMenu()
{
    qDeleteAll(windowEntries_);
    windowEntries_.clear();
    const QList<QMdiSubWindow *> children = childWindows();
    if (children.isEmpty())
        return;
    windowEntries_.append(Window1->addSeparator());
    QMdiSubWindow *active = mdi_->activeSubWindow();
    for (QMdiSubWindow *child : children) {
        QString caption = child->windowTitle();
        QAction *entry = Window1->addAction(caption.replace(QLatin1Char('&'), QLatin1String("&&")));
        entry->setCheckable(true);
        entry->setChecked(child == active);
        connect(entry, &QAction::triggered, this, ui::guarded([this, child] {
                    if (childWindows().contains(child))
                        mdi_->setActiveSubWindow(child);
                }));
        windowEntries_.append(entry);
    }
}

} // namespace torvik::app
