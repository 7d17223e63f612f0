#include "dbwindow/DbGrid.h"

#include "dataset/DatasetTableModel.h"
#include "dbwindow/ColumnWidths.h"
#include "dbwindow/GridDelegate.h"
#include "dbwindow/GridSelectionModel.h"
#include "dbwindow/RowDeleteQuestion.h"
#include "dbwindow/RowIndicator.h"
#include "text/Gbk.h"
#include "ui/ErrorReport.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <cassert>

namespace torvik::dbwindow {

using dataset::TDataSetState;

namespace {

bool editing(const dataset::TDataSet &ds)
{
    return ds.State() == TDataSetState::dsEdit || ds.State() == TDataSetState::dsInsert;
}

// Runs a grid action from inside Qt's event handling; a failure is shown once
// the event is done, and the grid stays as the failure left it.
template <class F>
bool reportingLater(F &&action)
{
    try {
        action();
        return true;
    } catch (...) {
        dataset::queueErrorReport(std::current_exception());
        return false;
    }
}

} // namespace

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
    verticalHeader()->viewport()->installEventFilter(this);
    setItemDelegate(new GridDelegate({[this](QWidget *editor) { RzDBGrid1KeyPress(editor); },
                                      [this] { return reportingLater([this] { writeEditorText(); }); },
                                      [this](QLineEdit *editor, const QModelIndex &index) { editorOpened(editor, index); }},
                                     this));
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
    horizontalHeader()->setMinimumSectionSize(kMinimumColumnWidth);

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
    QItemSelectionModel *defaultSelection = nullptr;
    setModel(model);
    defaultSelection = selectionModel();
    setSelectionModel(new GridSelectionModel(
        model, [this](const QModelIndex &target) { return leaveRowFor(target); }, model));
    delete defaultSelection;
    // The view would submit the model whenever its current row changes, also
    // when it only follows the dataset onto a new row; the grid posts the row
    // being left itself, before it moves (leaveRowFor).
    // Qt makes that connection by signature, so it is undone the same way.
    disconnect(selectionModel(), SIGNAL(currentRowChanged(QModelIndex, QModelIndex)), model, SLOT(submit()));
    delete model_;
    model_ = model;
    connect(model_, &dataset::DatasetTableModel::currentRecordChanged, this, &TDbGrid::followCurrentRecord);
    connect(model_, &dataset::DatasetTableModel::editStateChanged, this, &TDbGrid::closeEditorAfterPost);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        measureValues();
        sizeColumns();
        if (const dataset::TDataSet *ds = dataSet(); ds && ds->Active())
            followCurrentRecord(ds->ActiveViewRow());
    });
    // A label change comes once per field; the columns are sized once, after
    // the last of them.
    connect(model_, &QAbstractItemModel::headerDataChanged, this, [this] {
        if (!sizingQueued_) {
            sizingQueued_ = true;
            QMetaObject::invokeMethod(this, [this] { sizingQueued_ = false; sizeColumns(); }, Qt::QueuedConnection);
        }
    });
    if (source) {
        connect(source, &dataset::TDataSource::dataEvent, verticalHeader()->viewport(),
                [this] { verticalHeader()->viewport()->update(); });
        source->addRecordWriter(this, [this] { writeEditorText(); });
    }
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

// The width of each column from its title and its values. The values are
// looked at when the rows change as a whole (an open); a title change only
// re-lays out the header.
void TDbGrid::measureValues()
{
    valueCharacters_.clear();
    const dataset::TDataSet *ds = dataSet();
    if (!ds || !ds->Active())
        return;
    for (int c = 0; c < ds->FieldCount(); ++c)
        valueCharacters_.push_back(valueCharacters(*ds, *ds->Fields()[c]));
}

void TDbGrid::sizeColumns()
{
    const dataset::TDataSet *ds = dataSet();
    if (!ds || !model_)
        return;
    QHeaderView *header = horizontalHeader();
    const QFontMetrics metrics = fontMetrics();
    const int columns = std::min({model_->columnCount(), ds->FieldCount(), int(valueCharacters_.size())});
    for (int c = 0; c < columns; ++c) {
        const dataset::TField &field = *ds->Fields()[c];
        const int title = header->fontMetrics().horizontalAdvance(text::fromGbk(field.DisplayName())) + 16;
        const int width = gridColumnWidth(metrics, title, valueCharacters_[size_t(c)]);
        if (header->sectionSize(c) != width)
            header->resizeSection(c, width);
    }
}

// Before the current cell goes to another row: the row being left is posted
// (an untouched new row is dropped) and the dataset moves to the target. A
// refused post keeps the grid where it is.
std::optional<QModelIndex> TDbGrid::leaveRowFor(const QModelIndex &target)
{
    dataset::TDataSet *ds = dataSet();
    if (following_ || !model_ || !ds || !ds->Active())
        return target;
    if (target.row() == ds->ActiveViewRow()) {
        // Another cell of the same row: the typed text goes into its field
        // first, or the editor keeps it and the cell stays.
        if (!reportingLater([this] { writeEditorText(); }))
            return std::nullopt;
        return target;
    }
    const int reached = model_->moveToRow(target.row());
    if (reached < 0)
        return std::nullopt;
    return model_->index(reached, target.column());
}

void TDbGrid::followCurrentRecord(int row)
{
    if (!model_ || row < 0 || row >= model_->rowCount() || currentIndex().row() == row)
        return;
    const int column = std::clamp(SelectedIndex(), 0, model_->columnCount() - 1);
    following_ = true;
    // Following the dataset is not a selection by the user.
    selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::NoUpdate);
    following_ = false;
    scrollTo(currentIndex());
}

void TDbGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.row() != previous.row())
        viewport()->update(); // the tint of the current row moves with it
    verticalHeader()->viewport()->update();
}

QItemSelectionModel::SelectionFlags TDbGrid::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // Only the grid's multi-row gestures select: Ctrl or Shift with a click or
    // a key, and clicks on the row indicator. A plain click or arrow key moves
    // the current row and clears the selection; a move made by the program
    // leaves it alone.
    if (indicatorPressed_)
        return QTableView::selectionCommand(index, event);
    if (!event)
        return QItemSelectionModel::NoUpdate;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        modifiers = static_cast<const QInputEvent *>(event)->modifiers();
        break;
    default: return QItemSelectionModel::NoUpdate;
    }
    if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
        return QTableView::selectionCommand(index, event);
    if (event->type() == QEvent::MouseButtonRelease)
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::Clear;
}

void TDbGrid::mousePressEvent(QMouseEvent *event)
{
    // The right button opens the popup menu over the rows as they are
    // selected; it neither moves the current row nor changes the selection.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

bool TDbGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == verticalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            indicatorPressed_ = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            indicatorPressed_ = false;
        return false;
    }
    return QTableView::eventFilter(watched, event);
}

bool TDbGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The editor opens only on the dataset's current record: a double click
    // on a row the grid could not move to must not edit that row.
    const dataset::TDataSet *ds = dataSet();
    if (index.isValid() && (!ds || !ds->Active() || index.row() != ds->ActiveViewRow()))
        return false;
    return QTableView::edit(index, trigger, event);
}

void TDbGrid::editorOpened(QLineEdit *editor, const QModelIndex &index)
{
    editor_ = editor;
    editorIndex_ = index;
    // The first key the user types puts the record into its edit state, as
    // the row indicator then shows; the text itself goes in when the row is
    // posted or Enter is pressed.
    connect(editor, &QLineEdit::textEdited, this, [this] {
        dataset::TDataSet *ds = dataSet();
        if (ds && ds->State() == TDataSetState::dsBrowse)
            reportingLater([ds] { ds->Edit(); });
    });
}

void TDbGrid::writeEditorText()
{
    if (!editor_ || !editor_->isModified() || !editorIndex_.isValid())
        return;
    // The editor only ever opens on the current row, which is the dataset's
    // current record (edit() sees to it).
    assert(!dataSet() || editorIndex_.row() == dataSet()->ActiveViewRow());
    if (model_->writeCell(editorIndex_, editor_->text()))
        editor_->setModified(false);
}

// A post or cancel from anywhere (the navigator, a leave, Esc) ends the edit:
// the editor shows nothing the record does not hold.
void TDbGrid::closeEditorAfterPost()
{
    const dataset::TDataSet *ds = dataSet();
    if (editor_ && (!ds || !editing(*ds)))
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

void TDbGrid::RzDBGrid1KeyPress(QWidget *editor)
{
    if (editor) {
        if (!reportingLater([this] { writeEditorText(); }))
            return; // the editor keeps the refused text
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

// Down on the last row adds a row after it, once the last row is posted; an
// untouched new row stays the only one.
void TDbGrid::appendAfterLastRow()
{
    dataset::TDataSet *ds = dataSet();
    if (ds->InsertingUntouched())
        return;
    ds->CheckBrowseMode();
    ds->Append();
}

void TDbGrid::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        RzDBGrid1KeyPress();
        event->accept();
        return;
    }
    dataset::TDataSet *ds = dataSet();
    const bool active = ds && ds->Active();
    if (key == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
        DeleteCurrentRow();
        event->accept();
        return;
    }
    if (key == Qt::Key_Insert && modifiers == Qt::NoModifier && active) {
        reportingLater([ds] { ds->Insert(); });
        event->accept();
        return;
    }
    if (key == Qt::Key_Down && modifiers == Qt::NoModifier && active &&
        (ds->IsEmpty() || currentIndex().row() == model_->rowCount() - 1)) {
        reportingLater([this] { appendAfterLastRow(); });
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape && active && editing(*ds)) {
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
    if (dataset::TDataSet *ds = dataSet(); ds && ds->InsertingUntouched())
        ds->Cancel();
}

} // namespace torvik::dbwindow
