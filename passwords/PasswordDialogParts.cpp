#include "passwords/PasswordDialogParts.h"

#include "passwords/GbkValidator.h"
#include "passwords/StarEchoStyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace torvik::passwords {

QLabel *addPromptLabel(QDialog &dialog, const QString &text, QPoint topLeft, int maxWidth)
{
    auto *label = new QLabel(text, &dialog);
    // The unwrapped size hint measures the text as the label lays it out,
    // fallback fonts for Chinese included.
    const int width = qMin(label->sizeHint().width(), maxWidth);
    label->setWordWrap(true);
    label->setGeometry(topLeft.x(), topLeft.y(), width, label->heightForWidth(width));
    return label;
}

void makePasswordEdit(QLineEdit &edit)
{
    auto *echo = new StarEchoStyle;
    echo->setParent(&edit);
    edit.setStyle(echo);
    edit.setEchoMode(QLineEdit::Password);
    edit.setMaxLength(kMaxPasswordLength);
    edit.setValidator(new GbkValidator(&edit));
}

DialogButtons addDialogButtons(QDialog &dialog, int okLeft, int cancelLeft, int top, QSize size)
{
    DialogButtons buttons;
    buttons.ok = new QPushButton(QStringLiteral("确定"), &dialog);
    buttons.ok->setDefault(true);
    buttons.ok->setGeometry(QRect(QPoint(okLeft, top), size));
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);

    buttons.cancel = new QPushButton(QStringLiteral("取消"), &dialog);
    buttons.cancel->setGeometry(QRect(QPoint(cancelLeft, top), size));
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

void fixSizeAndCentre(QDialog &dialog, int clientWidth, const QPushButton &lowest)
{
    dialog.setFixedSize(clientWidth, lowest.y() + lowest.height() + 13);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

} // namespace torvik::passwords
