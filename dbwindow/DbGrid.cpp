#include "dbwindow/DbGrid.h"

#include "dataset/DatasetTableModel.h"
#include "dbwindow/GridDelegate.h"
#include "dbwindow/RowDeleteQuestion.h"
#include "dbwindow/RowIndicator.h"
#include "ui/ErrorReport.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace torvik::dbwindow {

using dataset::TDataSetState;

TDbGrid::TDbGrid(QWidget *parent) : QTableView(parent)
{
    setVerticalHeader(new RowIndicator(
        [this](int row) {
            const dataset::TDataSet *ds = dataSet();
            if (!ds || !ds->Active() || row != ds->ActiveViewRow())
                return RowMark::None;
            switch (ds->State()) {
            case TDataSetState::dsInsert: return RowMark::Inserting;
            case TDataSetState::dsEdit: return RowMark::Editing;
            default: return RowMark::Current;
            }
        },
        this));
    setItemDelegate(new GridDelegate([this](QWidget *editor) { RzDBGrid1KeyPress(editor); }, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setAlternatingRowColors(true);
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setMinimumSectionSize(40);
    horizontalHeader()->setMaximumSectionSize(260);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) { emit cellClicked(index.column()); });
    connect(qApp, &QApplication::focusChanged, this, ui::guarded(this, &TDbGrid::focusMoved));
}

TDbGrid::~TDbGrid()
{
    disconnect(qApp, nullptr, this, nullptr);
}

void TDbGrid::setDataSource(dataset::TDataSource *source)
{
    auto *model = new dataset::DatasetTableModel(source, this);
    setModel(model);
    delete model_;
    model_ = model;
    connect(model_, &dataset::DatasetTableModel::currentRecordChanged, this, &TDbGrid::followCurrentRecord);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        // Sized from the titles and the rows in view, so a large table opens as fast as a small one.
        resizeColumnsToContents();
        if (const dataset::TDataSet *ds = dataSet(); ds && ds->Active())
            followCurrentRecord(ds->ActiveViewRow());
    });
    connect(model_, &QAbstractItemModel::headerDataChanged, this, [this] { resizeColumnsToContents(); });
    if (source)
        connect(source, &dataset::TDataSource::dataEvent, verticalHeader()->viewport(),
                [this] { verticalHeader()->viewport()->update(); });
}

dataset::TDataSource *TDbGrid::DataSource() const
{
    return model_ ? model_->Source() : nullptr;
}

dataset::TDataSet *TDbGrid::dataSet() const
{
    return model_ ? model_->DataSet() : nullptr;
}

std::vector<int32_t> TDbGrid::SelectedRows() const
{
    std::vector<int32_t> ids;
    const dataset::TDataSet *ds = dataSet();
    if (!selectionModel() || !ds)
        return ids;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        if (const dataset::TBookmark id = ds->ViewRowBookmark(index.row()))
            ids.push_back(*id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

int TDbGrid::SelectedIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void TDbGrid::followCurrentRecord(int row)
{
    if (!model_ || row < 0 || row >= model_->rowCount())
        return;
    const int column = std::max(SelectedIndex(), 0);
    if (currentIndex().row() == row)
        return;
    following_ = true;
    setCurrentIndex(model_->index(row, std::min(column, model_->columnCount() - 1)));
    following_ = false;
}

void TDbGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The base class writes an open editor's text and, when the row changes,
    // submits (posts) it.
    QTableView::currentChanged(current, previous);
    if (!following_ && model_ && current.isValid() && current.row() != previous.row())
        model_->moveToRow(current.row());
    verticalHeader()->viewport()->update();
}

void TDbGrid::RzDBGrid1KeyPress(QWidget *editor)
{
    if (editor) {
        commitData(editor); // into the field; the row stays unposted
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    const QModelIndex current = currentIndex();
    if (!model_ || !current.isValid())
        return;
    const int next = std::min(current.column() + 1, model_->columnCount() - 1);
    if (next != current.column())
        setCurrentIndex(model_->index(current.row(), next));
}

void TDbGrid::DeleteCurrentRow()
{
    dataset::TDataSet *ds = dataSet();
    if (!ds || !ds->Active() || ds->IsEmpty())
        return;
    if (confirmRowDelete(window()))
        ds->Delete();
}

void TDbGrid::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        RzDBGrid1KeyPress();
        event->accept();
        return;
    }
    dataset::TDataSet *ds = dataSet();
    if (key == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        DeleteCurrentRow();
        event->accept();
        return;
    }
    if (key == Qt::Key_Insert && event->modifiers() == Qt::NoModifier && ds && ds->Active()) {
        ds->Insert();
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape && ds &&
        (ds->State() == TDataSetState::dsEdit || ds->State() == TDataSetState::dsInsert)) {
        ds->Cancel();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDbGrid::focusMoved(QWidget *from, QWidget *to)
{
    const auto inGrid = [this](QWidget *w) { return w && (w == this || isAncestorOf(w)); };
    // Only a move to another control of the same window leaves the grid; a
    // dialog or another application taking the focus does not.
    if (!inGrid(from) || inGrid(to) || !to || to->window() != window())
        return;
    dataset::TDataSet *ds = dataSet();
    if (ds && ds->State() == TDataSetState::dsInsert && !ds->Modified())
        ds->Cancel();
}

} // namespace torvik::dbwindow
