#include "app/TextFieldCommands.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

namespace torvik::app {

QLineEdit *focusedTextField()
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *edit = qobject_cast<QLineEdit *>(focus))
        return edit;
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(focus))
        return spin->findChild<QLineEdit *>();
    return nullptr;
}

void cutFocusedText()
{
    if (QLineEdit *edit = focusedTextField())
        edit->cut();
}

void copyFocusedText()
{
    if (QLineEdit *edit = focusedTextField())
        edit->copy();
}

void pasteIntoFocusedText()
{
    if (QLineEdit *edit = focusedTextField())
        edit->paste();
}

bool canCopyFocusedText()
{
    const QLineEdit *edit = focusedTextField();
    return edit && edit->hasSelectedText() && edit->echoMode() == QLineEdit::Normal;
}

bool canCutFocusedText()
{
    return canCopyFocusedText() && !focusedTextField()->isReadOnly();
}

bool clipboardHoldsText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace torvik::app
