#pragma once

// The grid's in-place editor and how its cells are drawn.
//
// Enter in the editor is the grid's own key (it writes the text into the
// field and moves one column right), so it is handed to the grid instead of
// closing the editor the usual way, which would post the row. The editor stays
// open when the focus goes elsewhere: what the user typed is written when the
// row is posted, never dropped on the way.
//
// The current row is tinted and the current cell framed, both plainly and
// apart from the rows the user selected, which keep the strong highlight.

#include <QStyledItemDelegate>

#include <functional>

class QLineEdit;

namespace torvik::dbwindow {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(QWidget *editor)> enter;
        // Writes the editor's text into its field before Tab leaves the cell;
        // false when the text was refused (the editor keeps it).
        std::function<bool()> write;
        std::function<void(QLineEdit *editor, const QModelIndex &index)> editorOpened;
    };
    GridDelegate(Handlers handlers, QObject *parent);
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *editor, QEvent *event) override;

private:
    Handlers handlers_;
};

} // namespace torvik::dbwindow
