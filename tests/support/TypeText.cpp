#include "tests/support/TypeText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace torvik::test {

void typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
    }
}

} // namespace torvik::test
