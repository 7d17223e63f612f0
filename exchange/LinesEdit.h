#pragma once

// The import dialog's text area: a plain-text editor over TextAreaLines. It
// lays out and decodes only the lines on screen, so a file of a million
// lines opens at once and takes about its own size in memory. It edits as a
// plain text box does: typing and input methods, Enter, Tab, Backspace and
// Delete, the arrow, Home, End and page keys with Shift to select, the mouse
// to place the cursor and drag a selection, and cut, copy, paste and select
// all through the keyboard and the context menu.

#include "exchange/TextAreaLines.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>

class QTextLayout;

namespace torvik::exchange {

class TLinesEdit : public QAbstractScrollArea {
    Q_OBJECT
public:
    struct Position {
        int line = 0;
        int column = 0; // in UTF-16 units of the line's text
        auto operator<=>(const Position &) const = default;
    };

    explicit TLinesEdit(QWidget *parent = nullptr);
    ~TLinesEdit() override;

    QString toPlainText() const { return lines_.plainText(); }
    void setPlainText(const QString &text);
    // Replaces the lines, the cursor at the start.
    void setLines(TextAreaLines lines);
    TextAreaLines &lines() { return lines_; }
    // Back to one empty line, giving the memory of the lines back.
    void clear() { setLines(TextAreaLines()); }

    Position cursorPosition() const { return cursor_; }
    QString selectedText() const;

    void selectAll();
    void copy() const;
    void cut();
    void paste();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void changeEvent(QEvent *event) override;
    // Tab is typed into the text, as in a plain text box.
    bool focusNextPrevChild(bool) override { return false; }

private:
    bool hasSelection() const { return cursor_ != anchor_; }
    std::pair<Position, Position> selection() const { return std::minmax(cursor_, anchor_); }
    int lineLength(int line) const { return int(lines_.text(line).size()); }

    // One line laid out without wrapping, as it is drawn.
    void layOut(int line, QTextLayout &layout) const;
    int lineHeight() const;
    int fullyVisibleLines() const;
    // Where line and column are drawn, in the viewport.
    QPointF lineOrigin(int line) const;
    Position positionAt(const QPoint &point) const;

    void moveTo(Position to, bool select);
    bool moveKey(const QKeyEvent &event);
    void insertText(const QString &typed);
    bool removeSelection();
    void deleteBackward();
    void deleteForward();
    void edited();

    void updateScrollBars();
    void ensureCursorVisible();
    void restartBlink();

    TextAreaLines lines_;
    Position cursor_;
    Position anchor_;
    mutable int widestSeen_ = 0; // in pixels, of the lines drawn so far
    bool caretShown_ = false;
    QBasicTimer blink_;
};

} // namespace torvik::exchange
