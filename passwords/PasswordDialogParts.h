#pragma once

// What the two password dialogs share: a plain dialog with a fixed border,
// prompt labels that wrap only past their maximum width, password edits, the
// OK/Cancel pair, and the final size and place on the screen.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvik::passwords {

inline constexpr int kMaxPasswordLength = 255;

// The window flags of a password dialog: a dialog border, a title and a close box.
inline constexpr Qt::WindowFlags kPasswordDialogFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A label at topLeft, as wide as its text on one line up to maxWidth; only a
// longer text wraps.
QLabel *addPromptLabel(QDialog &dialog, const QString &text, QPoint topLeft, int maxWidth);

// Makes edit a password field: every character shown as "*", at most 255
// characters, and only characters that GBK can hold, since a password
// reaches the codec as its GBK bytes.
void makePasswordEdit(QLineEdit &edit);

struct DialogButtons {
    QPushButton *ok = nullptr;     // "确定", the default button, accepts
    QPushButton *cancel = nullptr; // "取消", rejects (as Esc and the close box do)
};

// The OK/Cancel pair on one row at top, both of the same size.
DialogButtons addDialogButtons(QDialog &dialog, int okLeft, int cancelLeft, int top, QSize size);

// Fixes the dialog's client size (its height reaching 13 px below the lowest
// button) and centres it on the screen.
void fixSizeAndCentre(QDialog &dialog, int clientWidth, const QPushButton &lowest);

} // namespace torvik::passwords
