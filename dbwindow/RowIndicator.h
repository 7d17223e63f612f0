#pragma once

// The grid's row indicator: a narrow header column that marks the current row
// with a triangle, or with "*" while a new row is being inserted and "I"
// while the row is being edited.

#include <QHeaderView>

#include <functional>

namespace torvik::dbwindow {

enum class RowMark { None, Current, Editing, Inserting };

class RowIndicator : public QHeaderView {
    Q_OBJECT
public:
    // markOf answers the mark of a view row.
    RowIndicator(std::function<RowMark(int row)> markOf, QWidget *parent);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    std::function<RowMark(int)> markOf_;
};

} // namespace torvik::dbwindow
