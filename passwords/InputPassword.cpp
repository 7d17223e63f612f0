#include "passwords/InputPassword.h"

#include "passwords/DialogUnits.h"
#include "passwords/GbkValidator.h"
#include "passwords/StarEchoStyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace torvik::passwords {

TPasswordDialog::TPasswordDialog(const QString &caption, const QString &prompt, const QString &value)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(caption);
    const DialogUnits du(font());

    label_ = new QLabel(prompt, this);
    // The label is as wide as its text on one line, up to the maximum; only a
    // longer prompt wraps. The unwrapped size hint measures the text as the
    // label lays it out, fallback fonts for Chinese included.
    const int maxLabelWidth = du.h(164);
    const int labelWidth = qMin(label_->sizeHint().width(), maxLabelWidth);
    label_->setWordWrap(true);
    label_->setGeometry(du.h(8), du.v(8), labelWidth, label_->heightForWidth(labelWidth));

    edit_ = new QLineEdit(this);
    auto *echo = new StarEchoStyle;
    echo->setParent(edit_);
    edit_->setStyle(echo);
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMaxLength(kMaxPasswordLength);
    edit_->setValidator(new GbkValidator(edit_));
    edit_->setText(value);
    edit_->selectAll();
    edit_->setGeometry(label_->x(), label_->y() + label_->height() + 5, du.h(164), edit_->sizeHint().height());

    const int buttonTop = edit_->y() + edit_->height() + 15;
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setDefault(true);
    ok_->setGeometry(du.h(38), buttonTop, du.h(50), du.v(14));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    cancel_->setGeometry(du.h(92), buttonTop, du.h(50), du.v(14));
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects as well

    setFixedSize(du.h(180), cancel_->y() + cancel_->height() + 13);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
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
