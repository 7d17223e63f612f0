#include "passwords/InputPassword.h"

#include "passwords/DialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace torvik::passwords {

TPasswordDialog::TPasswordDialog(const QString &caption, const QString &prompt, const QString &value)
    : QDialog(nullptr, kPasswordDialogFlags)
{
    setWindowTitle(caption);
    const DialogUnits du(font());

    label_ = addPromptLabel(*this, prompt, QPoint(du.h(8), du.v(8)), du.h(164));

    edit_ = new QLineEdit(this);
    makePasswordEdit(*edit_);
    edit_->setText(value);
    edit_->selectAll();
    edit_->setGeometry(label_->x(), label_->y() + label_->height() + 5, du.h(164), edit_->sizeHint().height());

    const DialogButtons buttons =
        addDialogButtons(*this, du.h(38), du.h(92), edit_->y() + edit_->height() + 15, QSize(du.h(50), du.v(14)));
    ok_ = buttons.ok;
    cancel_ = buttons.cancel;

    fixSizeAndCentre(*this, du.h(180), *cancel_);
    edit_->setFocus();
}

bool InputPassword(const QString &caption, const QString &prompt, QString &value)
{
    TPasswordDialog dialog(caption, prompt, value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.passwordEdit()->text();
    return true;
}

} // namespace torvik::passwords
