#pragma once

// The edit control of the new-password dialog. Each of the two entries knows
// the other one and the dialog's OK button, and lets that button be pressed
// only while both hold the same, non-empty password.

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace torvik::passwords {

// True when first is not empty and equals second byte for byte as GBK, the
// form in which a password reaches the codec. A text GBK cannot hold matches
// nothing.
bool SameNewPassword(const QString &first, const QString &second);

class TEditEx : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Remembers the other entry and the OK button (neither owned: the dialog
    // owns all three) and from then on runs EditClick on every change of the
    // text. Texts set before the pairing therefore trigger nothing.
    void SetPartner(TEditEx *partner, QPushButton *button);
    // The matching rule: the button is enabled exactly while this text is not
    // empty and equals the partner's.
    void EditClick();

    TEditEx *Partner() const { return FPartner; }
    QPushButton *Button() const { return FButton; }

private:
    QPointer<TEditEx> FPartner;
    QPointer<QPushButton> FButton;
};

} // namespace torvik::passwords
