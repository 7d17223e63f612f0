#include "exchange/LinesEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>

#include <algorithm>
#include <cassert>

namespace torvik::exchange {

namespace {

constexpr int kMargin = 4;
constexpr qreal kTabStop = 80;

// What typing may put into a line: no line breaks (Enter splits the line
// instead) and no other control characters but the tab.
bool isTypedText(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
            return false;
    return true;
}

} // namespace

TLinesEdit::TLinesEdit(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollBars();
}

TLinesEdit::~TLinesEdit() = default;

void TLinesEdit::setPlainText(const QString &text)
{
    setLines(TextAreaLines::fromText(text));
}

void TLinesEdit::setLines(TextAreaLines lines)
{
    lines_ = std::move(lines);
    cursor_ = anchor_ = {};
    widestSeen_ = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

QString TLinesEdit::selectedText() const
{
    const auto [from, to] = selection();
    if (from.line == to.line)
        return lines_.text(from.line).mid(from.column, to.column - from.column);
    QString text = lines_.text(from.line).mid(from.column);
    for (int line = from.line + 1; line < to.line; ++line)
        text += QLatin1Char('\n') + lines_.text(line);
    text += QLatin1Char('\n') + lines_.text(to.line).left(to.column);
    return text;
}

void TLinesEdit::selectAll()
{
    anchor_ = {};
    cursor_ = {lines_.lineCount() - 1, lineLength(lines_.lineCount() - 1)};
    ensureCursorVisible();
    viewport()->update();
}

void TLinesEdit::copy() const
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void TLinesEdit::cut()
{
    if (!hasSelection())
        return;
    copy();
    removeSelection();
    edited();
}

void TLinesEdit::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertText(text);
}

// ---- layout and geometry

void TLinesEdit::layOut(int line, QTextLayout &layout) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabStop);
    layout.setText(lines_.text(line));
    layout.setFont(font());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    textLine.setLineWidth(1e6);
    layout.endLayout();
}

int TLinesEdit::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int TLinesEdit::fullyVisibleLines() const
{
    return std::max(1, viewport()->height() / lineHeight());
}

QPointF TLinesEdit::lineOrigin(int line) const
{
    return QPointF(kMargin - horizontalScrollBar()->value(),
                   qreal(line - verticalScrollBar()->value()) * lineHeight());
}

TLinesEdit::Position TLinesEdit::positionAt(const QPoint &point) const
{
    const int row = verticalScrollBar()->value() + (point.y() < 0 ? -1 : point.y() / lineHeight());
    const int line = std::clamp(row, 0, lines_.lineCount() - 1);
    QTextLayout layout;
    layOut(line, layout);
    const int column = layout.lineAt(0).xToCursor(point.x() - lineOrigin(line).x());
    return {line, std::clamp(column, 0, lineLength(line))};
}

void TLinesEdit::updateScrollBars()
{
    QScrollBar *vertical = verticalScrollBar();
    const int visible = fullyVisibleLines();
    vertical->setRange(0, std::max(0, lines_.lineCount() - visible));
    vertical->setPageStep(visible);
    vertical->setSingleStep(1);

    // Wide enough for the widest line as far as it is known: its length
    // (a Chinese character is two bytes and about two average widths) or
    // the widest line drawn.
    const int estimate = lines_.widestLineEstimate() * fontMetrics().averageCharWidth();
    const int width = std::max(estimate, widestSeen_) + 2 * kMargin;
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, width - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(fontMetrics().averageCharWidth() * 2);
}

void TLinesEdit::ensureCursorVisible()
{
    QScrollBar *vertical = verticalScrollBar();
    if (cursor_.line < vertical->value())
        vertical->setValue(cursor_.line);
    else if (cursor_.line >= vertical->value() + fullyVisibleLines())
        vertical->setValue(cursor_.line - fullyVisibleLines() + 1);

    QTextLayout layout;
    layOut(cursor_.line, layout);
    const int x = int(layout.lineAt(0).cursorToX(cursor_.column));
    QScrollBar *horizontal = horizontalScrollBar();
    const int room = std::max(1, viewport()->width() - 2 * kMargin);
    if (x > horizontal->maximum() + room)
        horizontal->setMaximum(x - room + kMargin);
    if (x < horizontal->value())
        horizontal->setValue(std::max(0, x - room / 4));
    else if (x > horizontal->value() + room)
        horizontal->setValue(x - room + room / 4);
}

// ---- painting

void TLinesEdit::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int first = verticalScrollBar()->value();
    const int last = std::min(lines_.lineCount() - 1, first + viewport()->height() / lineHeight());
    const auto [from, to] = selection();
    const int widestBefore = widestSeen_;
    for (int line = first; line <= last; ++line) {
        const QPointF origin = lineOrigin(line);
        if (!event->rect().intersects(QRect(0, int(origin.y()), viewport()->width(), lineHeight())))
            continue;
        QTextLayout layout;
        layOut(line, layout);
        QList<QTextLayout::FormatRange> selected;
        if (hasSelection() && line >= from.line && line <= to.line) {
            const int start = line == from.line ? from.column : 0;
            const int end = line == to.line ? to.column : lineLength(line);
            QTextLayout::FormatRange range;
            range.start = start;
            range.length = end - start;
            range.format.setBackground(palette().brush(QPalette::Highlight));
            range.format.setForeground(palette().brush(QPalette::HighlightedText));
            selected.append(range);
            // The line break is selected too: a space's width after the text shows it.
            if (line < to.line)
                painter.fillRect(QRectF(origin.x() + layout.lineAt(0).naturalTextWidth(), origin.y(),
                                        fontMetrics().horizontalAdvance(QLatin1Char(' ')), lineHeight()),
                                 palette().brush(QPalette::Highlight));
        }
        layout.draw(&painter, origin, selected);
        if (caretShown_ && line == cursor_.line)
            layout.drawCursor(&painter, origin, cursor_.column, 1);
        widestSeen_ = std::max(widestSeen_, int(layout.lineAt(0).naturalTextWidth()));
    }
    if (widestSeen_ > widestBefore)
        updateScrollBars();
}

void TLinesEdit::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TLinesEdit::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        widestSeen_ = 0;
        updateScrollBars();
    }
}

void TLinesEdit::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void TLinesEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    blink_.stop();
    caretShown_ = false;
    viewport()->update();
}

void TLinesEdit::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != blink_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    viewport()->update();
}

void TLinesEdit::restartBlink()
{
    caretShown_ = hasFocus();
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (caretShown_ && flash > 0)
        blink_.start(flash / 2, this);
    else
        blink_.stop();
    viewport()->update();
}

// ---- moving

void TLinesEdit::moveTo(Position to, bool select)
{
    to.line = std::clamp(to.line, 0, lines_.lineCount() - 1);
    to.column = std::clamp(to.column, 0, lineLength(to.line));
    cursor_ = to;
    if (!select)
        anchor_ = to;
    ensureCursorVisible();
    restartBlink();
}

bool TLinesEdit::moveKey(const QKeyEvent &event)
{
    const bool select = event.modifiers() & Qt::ShiftModifier;
    const bool control = event.modifiers() & Qt::ControlModifier;
    const int last = lines_.lineCount() - 1;
    Position to = cursor_;
    switch (event.key()) {
    case Qt::Key_Left:
        if (hasSelection() && !select)
            to = selection().first;
        else if (to.column > 0)
            --to.column;
        else if (to.line > 0)
            to = {to.line - 1, lineLength(to.line - 1)};
        break;
    case Qt::Key_Right:
        if (hasSelection() && !select)
            to = selection().second;
        else if (to.column < lineLength(to.line))
            ++to.column;
        else if (to.line < last)
            to = {to.line + 1, 0};
        break;
    case Qt::Key_Up:
        --to.line;
        break;
    case Qt::Key_Down:
        ++to.line;
        break;
    case Qt::Key_PageUp:
        to.line -= fullyVisibleLines();
        break;
    case Qt::Key_PageDown:
        to.line += fullyVisibleLines();
        break;
    case Qt::Key_Home:
        to = control ? Position{} : Position{to.line, 0};
        break;
    case Qt::Key_End:
        to = control ? Position{last, lineLength(last)} : Position{to.line, lineLength(to.line)};
        break;
    default:
        return false;
    }
    moveTo(to, select);
    return true;
}

void TLinesEdit::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::SelectAll) {
        selectAll();
    } else if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::Cut) {
        cut();
    } else if (event == QKeySequence::Paste) {
        paste();
    } else if (moveKey(*event)) {
        // moved
    } else if (event->key() == Qt::Key_Backspace) {
        deleteBackward();
    } else if (event->key() == Qt::Key_Delete) {
        deleteForward();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        insertText(QStringLiteral("\n"));
    } else if (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ControlModifier)) {
        insertText(QStringLiteral("\t"));
    } else if (!(event->modifiers() & Qt::ControlModifier) && isTypedText(event->text())) {
        insertText(event->text());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TLinesEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    moveTo(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void TLinesEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        moveTo(positionAt(event->position().toPoint()), true);
}

void TLinesEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QAbstractScrollArea::mouseReleaseEvent(event);
}

void TLinesEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("剪切(&T)"), this, &TLinesEdit::cut)->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("复制(&C)"), this, &TLinesEdit::copy)->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("粘贴(&P)"), this, &TLinesEdit::paste)
        ->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    menu.addSeparator();
    menu.addAction(QStringLiteral("全选(&A)"), this, &TLinesEdit::selectAll);
    menu.exec(event->globalPos());
}

// ---- editing

void TLinesEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        insertText(event->commitString());
    event->accept();
}

QVariant TLinesEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        QTextLayout layout;
        layOut(cursor_.line, layout);
        const QPointF origin = lineOrigin(cursor_.line);
        const qreal x = origin.x() + layout.lineAt(0).cursorToX(cursor_.column);
        return QRectF(x, origin.y(), 1, lineHeight()).toRect();
    }
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return cursor_.column;
    case Qt::ImSurroundingText:
        return lines_.text(cursor_.line);
    case Qt::ImAnchorPosition:
        return anchor_.line == cursor_.line ? anchor_.column : cursor_.column;
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TLinesEdit::insertText(const QString &typed)
{
    removeSelection();
    QString text = typed;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList pieces = text.split(QLatin1Char('\n'));
    const QString current = lines_.text(cursor_.line);
    const QString after = current.mid(cursor_.column);
    if (pieces.size() == 1) {
        lines_.setText(cursor_.line, current.left(cursor_.column) + pieces.front() + after);
        cursor_.column += int(pieces.front().size());
    } else {
        lines_.setText(cursor_.line, current.left(cursor_.column) + pieces.front());
        pieces.removeFirst();
        const int column = int(pieces.back().size());
        pieces.back() += after;
        lines_.insertLines(cursor_.line + 1, pieces);
        cursor_ = {cursor_.line + int(pieces.size()), column};
    }
    anchor_ = cursor_;
    edited();
}

bool TLinesEdit::removeSelection()
{
    if (!hasSelection())
        return false;
    const auto [from, to] = selection();
    const QString joined = lines_.text(from.line).left(from.column) + lines_.text(to.line).mid(to.column);
    lines_.removeLines(from.line + 1, to.line - from.line);
    lines_.setText(from.line, joined);
    cursor_ = anchor_ = from;
    return true;
}

void TLinesEdit::deleteBackward()
{
    if (!removeSelection() && (cursor_.column > 0 || cursor_.line > 0)) {
        if (cursor_.column > 0) {
            --cursor_.column;
        } else {
            --cursor_.line;
            cursor_.column = lineLength(cursor_.line);
        }
        removeSelection();
    }
    edited();
}

void TLinesEdit::deleteForward()
{
    if (!removeSelection()) {
        if (cursor_.column < lineLength(cursor_.line))
            ++cursor_.column;
        else if (cursor_.line < lines_.lineCount() - 1)
            cursor_ = {cursor_.line + 1, 0};
        removeSelection();
    }
    edited();
}

void TLinesEdit::edited()
{
    assert(cursor_.line >= 0 && cursor_.line < lines_.lineCount());
    assert(cursor_.column >= 0 && cursor_.column <= lineLength(cursor_.line));
    updateScrollBars();
    ensureCursorVisible();
    restartBlink();
}

} // namespace torvik::exchange
