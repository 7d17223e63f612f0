#pragma once

// The password prompt shown while a database that needs a password is opened.
// Built in code each time, sized in dialog units of its font, destroyed when
// it closes.

#include "passwords/PasswordDialogParts.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvik::passwords {

class TPasswordDialog : public QDialog {
    Q_OBJECT
public:
    TPasswordDialog(const QString &caption, const QString &prompt, const QString &value);

    QLabel *promptLabel() const { return label_; }
    QLineEdit *passwordEdit() const { return edit_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }

private:
    QLabel *label_ = nullptr;
    QLineEdit *edit_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
};

// Shows the prompt modally. On OK stores the entered text in value and returns
// true (also for an empty text); on Cancel, Esc or closing returns false and
// leaves value as it was. The edit takes at most 255 characters, shows each
// as "*", and accepts only characters that GBK can hold, since the password
// reaches the codec as its GBK bytes.
bool InputPassword(const QString &caption, const QString &prompt, QString &value);

} // namespace torvik::passwords
