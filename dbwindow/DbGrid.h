#pragma once

// The editable grid of a database window, over the dataset of a data source:
// column titles from the display labels, a row indicator, resizable columns,
// Tab between cells, Enter moving one column right, confirmation before a row
// is deleted, several whole rows selectable at once, alternating shading.
// Leaving a row posts its edit; an untouched new row is dropped when the grid
// loses the focus.

#include <QTableView>

#include <cstdint>
#include <vector>

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

    // The selected rows as bookmarks, in ascending id: the ids stay with
    // their rows while rows are inserted and deleted around them. A new row
    // not yet posted has no id and is not among them.
    std::vector<int32_t> SelectedRows() const;
    // The column of the current cell; -1 without one.
    int SelectedIndex() const;

    // Enter: the editor's pending text goes into the field (the row is not
    // posted) and the current column moves one to the right, staying on the
    // last one.
    // editor: the open in-place editor, if any.
    void RzDBGrid1KeyPress(QWidget *editor = nullptr);
    // Asks before the current row is deleted; deletes it on OK.
    void DeleteCurrentRow();

signals:
    // A mouse click on a cell, with its column.
    void cellClicked(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    dataset::TDataSet *dataSet() const;
    void followCurrentRecord(int row);
    void focusMoved(QWidget *from, QWidget *to);

    dataset::DatasetTableModel *model_ = nullptr;
    bool following_ = false;
};

} // namespace torvik::dbwindow
