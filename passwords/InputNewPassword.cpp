#include "passwords/InputNewPassword.h"

#include "passwords/DialogUnits.h"
#include "passwords/PasswordDialogParts.h"
#include "passwords/TEditEx.h"

#include <QLabel>
#include <QPushButton>

namespace torvik::passwords {

namespace {

TEditEx *addNewPasswordEdit(QDialog &dialog, QPoint topLeft, int width)
{
    auto *edit = new TEditEx(&dialog);
    makePasswordEdit(*edit);
    edit->setText(QString());
    edit->selectAll();
    edit->setGeometry(topLeft.x(), topLeft.y(), width, edit->sizeHint().height());
    return edit;
}

} // namespace

TNewPasswordDialog::TNewPasswordDialog() : QDialog(nullptr, kPasswordDialogFlags)
{
    setWindowTitle(QStringLiteral("加密数据库"));
    const DialogUnits du(font());

    firstLabel_ = addPromptLabel(*this, QStringLiteral("输入新密码："), QPoint(du.h(8), du.v(8)), du.h(164));
    secondLabel_ = addPromptLabel(*this, QStringLiteral("重复输入新密码："),
                                  QPoint(firstLabel_->x(), firstLabel_->y() + firstLabel_->height() + 15), du.h(164));

    // Both entries start 5 px right of the longer, second label.
    const int editLeft = secondLabel_->width() + 5;
    firstEdit_ = addNewPasswordEdit(*this, QPoint(firstLabel_->x() + editLeft, firstLabel_->y() - 4), du.h(164));
    secondEdit_ = addNewPasswordEdit(*this, QPoint(secondLabel_->x() + editLeft, secondLabel_->y() - 4), du.h(164));

    const DialogButtons buttons = addDialogButtons(*this, du.h(65), du.h(150),
                                                   secondEdit_->y() + secondEdit_->height() + 15,
                                                   QSize(du.h(50), du.v(14)));
    ok_ = buttons.ok;
    cancel_ = buttons.cancel;
    ok_->setEnabled(false);

    // Paired only now, with both texts set: the set-up runs no matching.
    firstEdit_->SetPartner(secondEdit_, ok_);
    secondEdit_->SetPartner(firstEdit_, ok_);

    fixSizeAndCentre(*this, du.h(260), *cancel_);
    firstEdit_->setFocus();
}

bool InputNewPassword(QString &password)
{
    password.clear();
    TNewPasswordDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // The rule once more: OK counts only for two equal, non-empty entries.
    const QString entered = dialog.firstEdit()->text();
    if (!SameNewPassword(entered, dialog.secondEdit()->text()))
        return false;
    password = entered;
    return true;
}

} // namespace torvik::passwords
