#pragma once

// The main window: a multiple-document frame with the menu bar, the toolbar
// and the status bar, holding one database window per open file path.

#include "ui/ModalUi.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace torvik::ui {
class ProgressPane;
}
namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::app {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Commands, in the order of the action list.
    QAction *FileOpen1 = nullptr;
    QAction *FileClose1 = nullptr;
    QAction *FileExit1 = nullptr;
    QAction *ActFileExport = nullptr;
    QAction *ActFileImport = nullptr;
    QAction *ActEncryptedDatabase = nullptr;
    QAction *ActDecryptDatabase = nullptr;
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QAction *WindowCascade1 = nullptr;
    QAction *WindowTileHorizontal1 = nullptr;
    QAction *WindowTileVertical1 = nullptr;
    QAction *WindowMinimizeAll1 = nullptr;
    QAction *WindowArrangeAll1 = nullptr;
    QAction *HelpAbout1 = nullptr;
    QList<QAction *> ActionList1;

    QMenu *File1 = nullptr;
    QMenu *Edit1 = nullptr;
    QMenu *Window1 = nullptr;
    QMenu *Help1 = nullptr;
    QToolBar *ToolBar2 = nullptr;
    QLabel *RzStatusPane1 = nullptr;
    ui::ProgressPane *Bar = nullptr;
    QLabel *RzStatusPane2 = nullptr;
    ui::FileRequest OpenDialog;

    QMdiArea *mdiArea() const { return mdi_; }
    // The child windows in the frame's order (creation order).
    QList<QMdiSubWindow *> childWindows() const;
    dbwindow::TFrmDBMain *activeDatabaseWindow() const;

    void FileOpen1Execute();
    void FileExit1Execute();
    void HelpAbout1Execute();
    void OpenDatabaseWindow(const QString &path);

    // The update handler of export, import, encrypt and decrypt: all four
    // follow the active database window, encrypt and decrypt only while it is
    // not minimised.
    void ActFileImportUpdate();
    // Their execute handler: hands the command's tag to the active database
    // window; does nothing without one.
    void ActFileExecute(QObject *Sender);

    // Recomputes the enabled state of every command; runs whenever the active
    // window, a window's state, the focus or the clipboard changes.
    void updateCommands();
    // Brings the child-window entries of the window menu up to date.
    void refreshWindowMenu();

protected:
    // The database windows close first, each posting what the user left
    // unposted; one that cannot keeps the application open.
    void closeEvent(QCloseEvent *event) override;

private:
    void createCommands();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void watchChildWindow(QMdiSubWindow *window);
    void watchFocusedTextField(QWidget *now);

    QMdiArea *mdi_ = nullptr;
    QList<QAction *> windowEntries_;
    QMetaObject::Connection focusedSelection_;
};

// The one main window of the application; null while none exists.
extern TMainForm *MainForm;

} // namespace torvik::app
