#pragma once

// The editable grid of a database window, over the dataset of a data source:
// column titles from the display labels, a row indicator, resizable columns,
// Tab between cells, Enter moving one column right, confirmation before a row
// is deleted, several whole rows selectable at once, alternating shading.
//
// The grid's current row is always the dataset's current record: the grid
// follows the dataset (navigation, inserts, posts), and a move the user makes
// in the grid first posts the row being left — when that post is refused the
// grid stays where it is, the typed text still in the cell. An untouched new
// row is dropped when the grid loses the focus or the user moves off it.

#include <QPointer>
#include <QTableView>

#include <cstdint>
#include <optional>
#include <vector>

class QLineEdit;

namespace torvik::dataset {
class DatasetTableModel;
class TDataSet;
class TDataSource;
} // namespace torvik::dataset

namespace torvik::dbwindow {

class TDbGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDbGrid(QWidget *parent = nullptr);
    ~TDbGrid() override;

    void setDataSource(dataset::TDataSource *source);
    dataset::TDataSource *DataSource() const;
    dataset::DatasetTableModel *datasetModel() const { return model_; }

    // The rows the user selected (Ctrl+click, Shift+click, Shift+arrows,
    // clicks on the row indicator) as bookmarks, in ascending id: the ids stay
    // with their rows while rows are inserted and deleted around them. The
    // current row is not selected by being current. A new row not yet posted
    // has no id and is not among them.
    std::vector<int32_t> SelectedRows() const;
    // The column of the current cell; -1 without one.
    int SelectedIndex() const;

    // Enter: the editor's pending text goes into the field (the row is not
    // posted) and the current column moves one to the right, staying on the
    // last one. A refused text keeps the editor open where it is.
    // editor: the open in-place editor, if any.
    void RzDBGrid1KeyPress(QWidget *editor = nullptr);
    // Asks before the current row is deleted; deletes it on OK.
    void DeleteCurrentRow();

    // Writes the open editor's text into the field of the current record,
    // putting the dataset into its edit state first. Throws when the text is
    // refused (the editor then keeps it).
    void writeEditorText();
    using QTableView::edit;

signals:
    // A mouse click on a cell, with its column.
    void cellClicked(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    dataset::TDataSet *dataSet() const;
    std::optional<QModelIndex> leaveRowFor(const QModelIndex &target);
    void followCurrentRecord(int row);
    void editorOpened(QLineEdit *editor, const QModelIndex &index);
    void closeEditorAfterPost();
    void measureValues();
    void sizeColumns();
    void appendAfterLastRow();
    void focusMoved(QWidget *from, QWidget *to);

    dataset::DatasetTableModel *model_ = nullptr;
    QPointer<QLineEdit> editor_;
    QPersistentModelIndex editorIndex_;
    bool following_ = false;
    bool indicatorPressed_ = false;
    bool sizingQueued_ = false;
    std::vector<int> valueCharacters_; // per column, from the last open
};

} // namespace torvik::dbwindow
