#pragma once

// Drives a database window's grid the way a game master does: mouse clicks on
// cells and on the row indicator, keys, and typing that opens the cell editor
// with its first key. Every action lets the event loop run, so reports queued
// by the grid have been shown when it returns.

#include <Qt>

#include <QString>

class QLineEdit;
class QWidget;

namespace torvik::dbwindow {
class TDbGrid;
}

namespace torvik::test {

class GridDriver {
public:
    explicit GridDriver(dbwindow::TDbGrid *grid) : grid_(grid) {}

    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickIndicator(int row);
    // To the open cell editor when there is one, else to the grid.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString &text);

    // The open cell editor, or none.
    QLineEdit *editor() const;
    int currentRow() const;

private:
    QWidget *keyTarget() const;

    dbwindow::TDbGrid *grid_;
};

} // namespace torvik::test
