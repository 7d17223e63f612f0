#include "dataset/DatasetTableModel.h"

#include "dataset/UiHooks.h"
#include "text/Gbk.h"

#include <QCoreApplication>

namespace torvik::dataset {

DatasetTableModel::DatasetTableModel(TDataSource *source, QObject *parent)
    : QAbstractTableModel(parent), source_(source)
{
    if (source_) {
        connect(source_, &TDataSource::dataEvent, this, &DatasetTableModel::onDataEvent);
        connect(source_, &TDataSource::dataSetReplaced, this, &DatasetTableModel::resetAll);
    }
    resetAll();
}

template <typename Fn>
bool DatasetTableModel::guarded(Fn &&fn)
{
    // Qt's frames above a virtual are not exception-safe, and a modal box
    // inside one would run a nested event loop in the middle of the view's
    // own work: the call fails and the error is shown once control is back
    // in the event loop.
    try {
        return fn();
    } catch (...) {
        queueErrorReport(std::current_exception());
        return false;
    }
}

void queueErrorReport(std::exception_ptr error)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [error] { reportError(error); }, Qt::QueuedConnection);
    else
        reportError(error);
}

void DatasetTableModel::resetAll()
{
    beginResetModel();
    TDataSet *ds = DataSet();
    const bool shown = ds && ds->Active() && source_->Enabled();
    rows_ = shown ? ds->ViewRowCount() : 0;
    columns_ = shown ? ds->FieldCount() : 0;
    endResetModel();
}

void DatasetTableModel::onDataEvent(TDataEvent event, int info)
{
    TDataSet *ds = DataSet();
    switch (event) {
    case TDataEvent::DataSetChange:
        resetAll();
        break;
    case TDataEvent::DataSetScroll:
        followActiveRow();
        break;
    case TDataEvent::RecordChange:
        if (ds && info >= 0 && info < columns_ && ds->ActiveViewRow() >= 0) {
            const QModelIndex cell = index(ds->ActiveViewRow(), info);
            emit dataChanged(cell, cell);
        }
        break;
    case TDataEvent::LayoutChange:
        if (columns_ > 0)
            emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
        break;
    case TDataEvent::RowsAboutToBeInserted:
        beginInsertRows({}, info, info);
        break;
    case TDataEvent::RowsInserted:
        rows_ = ds ? ds->ViewRowCount() : 0;
        endInsertRows();
        followActiveRow();
        break;
    case TDataEvent::RowsAboutToBeRemoved:
        beginRemoveRows({}, info, info);
        break;
    case TDataEvent::RowsRemoved:
        rows_ = ds ? ds->ViewRowCount() : 0;
        endRemoveRows();
        followActiveRow();
        break;
    case TDataEvent::RowChanged:
        if (!ds || rows_ != ds->ViewRowCount() || columns_ != ds->FieldCount()) {
            resetAll();
        } else if (info >= 0 && info < rows_ && columns_ > 0) {
            emit dataChanged(index(info, 0), index(info, columns_ - 1));
        }
        followActiveRow();
        break;
    case TDataEvent::UpdateState:
        emit editStateChanged();
        break;
    }
}

// Rows came or went, or a post moved the record: whatever the view did with
// its own current index meanwhile, it goes back to the dataset's record.
void DatasetTableModel::followActiveRow()
{
    if (TDataSet *ds = DataSet(); ds && ds->Active())
        emit currentRecordChanged(ds->ActiveViewRow());
}

int DatasetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DatasetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant DatasetTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    TDataSet *ds = DataSet();
    if (!ds || !index.isValid() || index.row() >= rows_ || index.column() >= columns_)
        return {};
    QVariant result;
    const_cast<DatasetTableModel *>(this)->guarded([&] {
        const uint8_t *record = ds->ViewRecord(index.row());
        if (record)
            result = text::fromGbk(ds->Fields()[index.column()]->TextIn(record));
        return true;
    });
    return result;
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    TDataSet *ds = DataSet();
    if (!ds || section < 0 || section >= columns_ || section >= ds->FieldCount())
        return {};
    return text::fromGbk(ds->Fields()[section]->DisplayName());
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

int DatasetTableModel::moveToRow(int row)
{
    int reached = -1;
    guarded([&] {
        TDataSet *ds = DataSet();
        if (!ds || !ds->Active() || row < 0 || row >= rows_)
            return false;
        const int inserted = ds->ActiveViewRow();
        if (row == inserted) {
            reached = row;
            return true;
        }
        const bool dropsNewRow = ds->InsertingUntouched();
        ds->CheckBrowseMode(); // posts, or drops an untouched record
        if (dropsNewRow && row > inserted)
            --row; // the rows after the dropped one moved up
        ds->setRecNo(row + 1);
        reached = ds->ActiveViewRow();
        return true;
    });
    return reached;
}

bool DatasetTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    return guarded([&] {
        return writeCell(index, value.toString());
    });
}

bool DatasetTableModel::writeCell(const QModelIndex &index, const QString &text)
{
    TDataSet *ds = DataSet();
    if (!ds || !ds->Active() || !index.isValid() || index.column() >= ds->FieldCount())
        return false;
    // A view writes only into the record the dataset is on: a cell of
    // another row would put the text into the wrong record.
    if (index.row() != ds->ActiveViewRow())
        return false;
    const std::string gbk = text::toGbk(text);
    if (ds->State() == TDataSetState::dsBrowse)
        ds->Edit();
    ds->Fields()[index.column()]->setAsString(gbk);
    return true;
}

bool DatasetTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count != 1)
        return false;
    return guarded([&] {
        TDataSet *ds = DataSet();
        if (!ds || !ds->Active())
            return false;
        if (row >= ds->RecordCount()) {
            ds->Append();
        } else {
            if (moveToRow(row) != row)
                return false;
            ds->Insert();
        }
        return true;
    });
}

bool DatasetTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1)
        return false;
    return guarded([&] {
        TDataSet *ds = DataSet();
        if (!ds || !ds->Active())
            return false;
        for (int i = 0; i < count; ++i) {
            if (moveToRow(row) != row)
                return false;
            ds->Delete();
        }
        return true;
    });
}

bool DatasetTableModel::submit()
{
    return guarded([&] {
        TDataSet *ds = DataSet();
        if (!ds || (ds->State() != TDataSetState::dsEdit && ds->State() != TDataSetState::dsInsert))
            return true;
        ds->CheckBrowseMode();
        return true;
    });
}

void DatasetTableModel::revert()
{
    guarded([&] {
        if (TDataSet *ds = DataSet())
            ds->Cancel();
        return true;
    });
}

} // namespace torvik::dataset
