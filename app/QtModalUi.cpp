#include "app/QtModalUi.h"

#include "passwords/InputNewPassword.h"
#include "passwords/InputPassword.h"

#include <QFileDialog>
#include <QMessageBox>

namespace torvik::app {

namespace {

QMessageBox::Icon boxIcon(ui::MessageIcon icon)
{
    switch (icon) {
    case ui::MessageIcon::Information: return QMessageBox::Information;
    case ui::MessageIcon::Warning: return QMessageBox::Warning;
    case ui::MessageIcon::Error: return QMessageBox::Critical;
    case ui::MessageIcon::Question: return QMessageBox::Question;
    case ui::MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(ui::MessageButtons buttons)
{
    switch (buttons) {
    case ui::MessageButtons::Ok: return QMessageBox::Ok;
    case ui::MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case ui::MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

ui::MessageResult seamResult(int button)
{
    switch (button) {
    case QMessageBox::Ok: return ui::MessageResult::Ok;
    case QMessageBox::Yes: return ui::MessageResult::Yes;
    case QMessageBox::No: return ui::MessageResult::No;
    default: return ui::MessageResult::Cancel; // Cancel, Esc, the close box
    }
}

} // namespace

ui::MessageResult QtModalUi::message(const ui::MessageRequest &request)
{
    QMessageBox box(boxIcon(request.icon), request.caption, request.text, boxButtons(request.buttons),
                    request.owner);
    return seamResult(box.exec());
}

QString QtModalUi::openFile(const ui::FileRequest &request)
{
    return QFileDialog::getOpenFileName(request.owner, request.caption, request.directory, request.filter);
}

QString QtModalUi::saveFile(const ui::FileRequest &request)
{
    QFileDialog dialog(request.owner, request.caption, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtModalUi::password(const ui::PasswordRequest &request, QString &entered)
{
    QString value = request.value;
    if (!passwords::InputPassword(request.caption, request.prompt, value))
        return false;
    entered = value;
    return true;
}

bool QtModalUi::newPassword(QString &entered)
{
    return passwords::InputNewPassword(entered);
}

} // namespace torvik::app
