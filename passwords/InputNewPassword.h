#pragma once

// The new-password dialog of the encrypt command: the new password twice.
// Built in code each time, sized in dialog units of its font, destroyed when
// it closes.

#include <QDialog>

class QLabel;
class QPushButton;

namespace torvik::passwords {

class TEditEx;

class TNewPasswordDialog : public QDialog {
    Q_OBJECT
public:
    TNewPasswordDialog();

    QLabel *firstLabel() const { return firstLabel_; }
    QLabel *secondLabel() const { return secondLabel_; }
    TEditEx *firstEdit() const { return firstEdit_; }
    TEditEx *secondEdit() const { return secondEdit_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }

private:
    QLabel *firstLabel_ = nullptr;
    QLabel *secondLabel_ = nullptr;
    TEditEx *firstEdit_ = nullptr;
    TEditEx *secondEdit_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
};

// Empties password, then shows the dialog modally. Returns true with the new
// password only when OK was pressed on two equal, non-empty entries;
// otherwise (Cancel, Esc, the close box) false with password empty.
bool InputNewPassword(QString &password);

} // namespace torvik::passwords
