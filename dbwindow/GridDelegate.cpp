#include "dbwindow/GridDelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace torvik::dbwindow {

GridDelegate::GridDelegate(Handlers handlers, QObject *parent)
    : QStyledItemDelegate(parent), handlers_(std::move(handlers))
{
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setObjectName(QStringLiteral("InplaceEditor"));
        if (handlers_.editorOpened)
            handlers_.editorOpened(line, index);
    }
    return editor;
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    const QModelIndex current = view ? view->currentIndex() : QModelIndex();
    const bool currentRow = current.isValid() && current.row() == index.row();
    const bool currentCell = currentRow && current.column() == index.column();
    const QPalette &palette = option.palette;

    QStyleOptionViewItem cell(option);
    cell.state &= ~QStyle::State_HasFocus; // the frame below replaces the faint focus rectangle
    if (currentRow && !(cell.state & QStyle::State_Selected)) {
        QColor tint = palette.color(QPalette::Highlight);
        tint.setAlpha(currentCell ? 90 : 45);
        painter->fillRect(option.rect, tint);
        cell.backgroundBrush = Qt::NoBrush;
        // Alternating shading would paint over the tint.
        cell.features &= ~QStyleOptionViewItem::Alternate;
    }
    QStyledItemDelegate::paint(painter, cell, index);
    if (currentCell) {
        painter->save();
        painter->setPen(QPen(palette.color(QPalette::Highlight).darker(140), 2));
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

bool GridDelegate::eventFilter(QObject *editor, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (handlers_.enter)
                handlers_.enter(qobject_cast<QWidget *>(editor));
            return true;
        }
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && handlers_.write && !handlers_.write())
            return true;
    }
    if (event->type() == QEvent::FocusOut)
        return false; // the editor keeps its text; the grid writes it when the row is posted
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace torvik::dbwindow
