#include "dbwindow/GridDelegate.h"

#include "ui/ErrorReport.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace torvik::dbwindow {

GridDelegate::GridDelegate(std::function<void(QWidget *editor)> onEnter, QObject *parent)
    : QStyledItemDelegate(parent), onEnter_(std::move(onEnter))
{
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setObjectName(QStringLiteral("InplaceEditor"));
    return editor;
}

bool GridDelegate::eventFilter(QObject *editor, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui::guarded(onEnter_)(qobject_cast<QWidget *>(editor));
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace torvik::dbwindow
