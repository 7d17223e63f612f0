#pragma once

// Every message box, file dialog and password dialog of the editor goes
// through this one seam. The application installs the real Qt dialogs at
// start-up; tests install a scripted one that answers without a human and
// records what was asked.

#include <QString>

class QDialog;
class QWidget;

namespace torvik::ui {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    QWidget *owner = nullptr; // the window the box belongs to; null for the application
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

struct FileRequest {
    QWidget *owner = nullptr;
    QString caption;
    QString directory;
    QString filter;       // Qt filter text, e.g. "数据库文件 (*.db *.DB)"
    QString defaultSuffix;
};

struct PasswordRequest {
    QWidget *owner = nullptr;
    QString caption;
    QString prompt;
    QString value; // the text the field starts with
};

class ModalUi {
public:
    virtual ~ModalUi() = default;
    virtual MessageResult message(const MessageRequest &request) = 0;
    // The chosen path, or an empty text when the dialog was cancelled.
    virtual QString openFile(const FileRequest &request) = 0;
    virtual QString saveFile(const FileRequest &request) = 0;
    // True with the entered text on OK; false on Cancel or Esc.
    virtual bool password(const PasswordRequest &request, QString &entered) = 0;
    // The new-password dialog (the password twice): true with the password
    // only when OK was pressed on two equal, non-empty entries; otherwise
    // false with entered emptied.
    virtual bool newPassword(QString &entered) = 0;
    // Shows a dialog the caller built (a wizard, the import dialog) modally
    // and answers its result code (QDialog::Accepted or Rejected).
    virtual int dialog(QDialog &dialog);
};

// The installed seam. Throws std::logic_error when none is installed, so a
// dialog can never be shown by accident where no one can answer it.
ModalUi &modalUi();

// Installs a seam (not owned); returns the one it replaces. Null uninstalls.
ModalUi *installModalUi(ModalUi *ui);

} // namespace torvik::ui
