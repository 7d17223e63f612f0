#pragma once

// Driving the database window the way a game master does, beyond its grid
// (tests/support/GridDriver): typing into fields, choosing popup menu items.

#include <QString>
#include <QStringList>

class QAction;
class QLineEdit;

namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::dbwindow::testing {

// Empties the field with the keyboard, then types the text one character at
// a time (Chinese characters included).
void typeInto(QLineEdit *field, const QString &text);

// The values the grid shows in the column of the named field, top to bottom.
QStringList shownColumn(const TFrmDBMain &window, const char *fieldName);

// For chooseFromPopup: a right click in the grid below its last row.
inline constexpr int kBelowTheRows = -1;

// A right click on the grid's row opens the popup menu; then the item is
// clicked. Answers whether the item was enabled when the menu showed.
bool chooseFromPopup(TFrmDBMain &window, int row, QAction *item);

} // namespace torvik::dbwindow::testing
