#pragma once

// The grid's in-place editor. Enter in the editor is the grid's own key (it
// writes the text into the field and moves one column right), so it is handed
// to the grid instead of closing the editor the usual way, which would post
// the row.

#include <QStyledItemDelegate>

#include <functional>

namespace torvik::dbwindow {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(std::function<void(QWidget *editor)> onEnter, QObject *parent);
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *editor, QEvent *event) override;

private:
    std::function<void(QWidget *editor)> onEnter_;
};

} // namespace torvik::dbwindow
