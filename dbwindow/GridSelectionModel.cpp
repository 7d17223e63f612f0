#include "dbwindow/GridSelectionModel.h"

#include <cassert>

namespace torvik::dbwindow {

GridSelectionModel::GridSelectionModel(QAbstractItemModel *model, LeaveRow leaveFor, QObject *parent)
    : QItemSelectionModel(model, parent), leaveFor_(std::move(leaveFor))
{
    assert(leaveFor_);
}

void GridSelectionModel::setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command)
{
    if (!index.isValid()) {
        QItemSelectionModel::setCurrentIndex(index, command);
        return;
    }
    const std::optional<QModelIndex> target = leaveFor_(index);
    if (!target)
        return;
    QItemSelectionModel::setCurrentIndex(*target, command);
}

} // namespace torvik::dbwindow
