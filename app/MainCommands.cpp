// The main window's action list: every command with its caption, hint,
// shortcut, tag and handler.

#include "app/CommandHint.h"
#include "app/CommandIcons.h"
#include "app/MainUnit.h"
#include "app/MdiArrange.h"
#include "app/TextFieldCommands.h"
#include "ui/ErrorReport.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>

namespace torvik::app {

namespace {

struct CommandSpec {
    QAction *TMainForm::*member;
    const char *objectName;
    const char16_t *caption;
    const char16_t *hint;
    QKeySequence shortcut;
    int tag; // -1: none
    CommandIcon icon;
};

} // namespace

void TMainForm::createCommands()
{
    const CommandSpec specs[] = {
        {&TMainForm::FileOpen1, "FileOpen1", u"打开数据库(&O)", u"Open|Open a file", QKeySequence(Qt::CTRL | Qt::Key_O), -1,
         CommandIcon::Open},
        {&TMainForm::FileClose1, "FileClose1", u"关闭数据库(&C)", u"Close|Close current file", {}, -1,
         CommandIcon::Close},
        {&TMainForm::FileExit1, "FileExit1", u"退出(&X)", u"Exit|Exit application", {}, -1, CommandIcon::Exit},
        {&TMainForm::ActFileExport, "ActFileExport", u"导出(&E)", u"选择的数据导出", {}, 0, CommandIcon::Export},
        {&TMainForm::ActFileImport, "ActFileImport", u"导入(&I)", u"导入数据", {}, 1, CommandIcon::Import},
        {&TMainForm::ActEncryptedDatabase, "ActEncryptedDatabase", u"加密数据库", u"加密数据库", {}, 2,
         CommandIcon::Encrypt},
        {&TMainForm::ActDecryptDatabase, "ActDecryptDatabase", u"解密数据库", u"解密数据库", {}, 3,
         CommandIcon::Decrypt},
        {&TMainForm::EditCut1, "EditCut1", u"剪切(&t)", u"剪切|剪切的选择，并把它放在剪贴板中",
         QKeySequence(Qt::CTRL | Qt::Key_X), -1, CommandIcon::Cut},
        {&TMainForm::EditCopy1, "EditCopy1", u"复制(&C)", u"复制|复制选择，并把它放在剪贴板上",
         QKeySequence(Qt::CTRL | Qt::Key_C), -1, CommandIcon::Copy},
        {&TMainForm::EditPaste1, "EditPaste1", u"粘贴(&P)", u"粘贴|插入剪贴板中的内容", QKeySequence(Qt::CTRL | Qt::Key_V),
         -1, CommandIcon::Paste},
        {&TMainForm::WindowCascade1, "WindowCascade1", u"层叠窗口(&C)", u"层叠窗口", {}, -1, CommandIcon::Cascade},
        {&TMainForm::WindowTileHorizontal1, "WindowTileHorizontal1", u"水平平铺(&H)", u"水平平铺", {}, -1,
         CommandIcon::TileHorizontally},
        {&TMainForm::WindowTileVertical1, "WindowTileVertical1", u"垂直平铺(&V)", u"垂直平铺", {}, -1,
         CommandIcon::TileVertically},
        {&TMainForm::WindowMinimizeAll1, "WindowMinimizeAll1", u"最小化所有窗口(&M)", u"最小化所有窗口", {}, -1,
         CommandIcon::MinimizeAll},
        {&TMainForm::WindowArrangeAll1, "WindowArrangeAll1", u"重排全部窗排(&A)", u"重排全部窗排", {}, -1,
         CommandIcon::ArrangeIcons},
        {&TMainForm::HelpAbout1, "HelpAbout1", u"关于(&A)", u"About|关于本程序", {}, -1, CommandIcon::About},
    };

    for (const CommandSpec &spec : specs) {
        auto *action = new QAction(QString::fromUtf16(spec.caption), this);
        action->setObjectName(QLatin1String(spec.objectName));
        action->setIcon(commandIcon(spec.icon));
        setHint(action, QString::fromUtf16(spec.hint));
        if (!spec.shortcut.isEmpty())
            action->setShortcut(spec.shortcut);
        if (spec.tag >= 0)
            action->setData(spec.tag);
        this->*spec.member = action;
        ActionList1.append(action);
    }

    connect(FileOpen1, &QAction::triggered, this, ui::guarded(this, &TMainForm::FileOpen1Execute));
    connect(FileClose1, &QAction::triggered, this, ui::guarded([this] { mdi_->closeActiveSubWindow(); }));
    connect(FileExit1, &QAction::triggered, this, ui::guarded(this, &TMainForm::FileExit1Execute));
    connect(HelpAbout1, &QAction::triggered, this, ui::guarded(this, &TMainForm::HelpAbout1Execute));

    connect(EditCut1, &QAction::triggered, this, ui::guarded(&cutFocusedText));
    connect(EditCopy1, &QAction::triggered, this, ui::guarded(&copyFocusedText));
    connect(EditPaste1, &QAction::triggered, this, ui::guarded(&pasteIntoFocusedText));

    connect(WindowCascade1, &QAction::triggered, this, ui::guarded([this] { mdi_->cascadeSubWindows(); }));
    connect(WindowTileHorizontal1, &QAction::triggered, this, ui::guarded([this] { tileHorizontally(*mdi_); }));
    connect(WindowTileVertical1, &QAction::triggered, this, ui::guarded([this] { tileVertically(*mdi_); }));
    connect(WindowMinimizeAll1, &QAction::triggered, this, ui::guarded([this] { minimizeAll(*mdi_); }));
    connect(WindowArrangeAll1, &QAction::triggered, this, ui::guarded([this] { arrangeIcons(*mdi_); }));

    for (QAction *command : {ActFileExport, ActFileImport, ActEncryptedDatabase, ActDecryptDatabase})
        connect(command, &QAction::triggered, this, ui::guarded([this, command](bool) { ActFileExecute(command); }));
    EditCut1->setEnabled(false);
    EditCopy1->setEnabled(false);
}

} // namespace torvik::app
