#pragma once

// The grid's selection model. Every way the grid's current cell can move to
// another row — keys, mouse, the view's own bookkeeping — passes through
// setCurrentIndex, so that is where the row being left is posted first. When
// the post is refused the move does not happen: the grid stays on the row the
// dataset is editing, with what the user typed.

#include <QItemSelectionModel>

#include <functional>
#include <optional>

namespace torvik::dbwindow {

class GridSelectionModel : public QItemSelectionModel {
    Q_OBJECT
public:
    // leaveFor: asked before the current index moves to another row; answers
    // the index to move to (rows may have shifted), or none to stay.
    using LeaveRow = std::function<std::optional<QModelIndex>(const QModelIndex &target)>;
    GridSelectionModel(QAbstractItemModel *model, LeaveRow leaveFor, QObject *parent);

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override;

private:
    LeaveRow leaveFor_;
};

} // namespace torvik::dbwindow
