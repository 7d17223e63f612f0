#pragma once

// DatasetTableModel: the grid's view of a dataset. A row per cached record
// (plus the record being inserted), a column per field, titles from the
// display labels. Texts are decoded from GBK for display and encoded on edit;
// a cell can be written only in the dataset's current record, which the view
// follows (currentRecordChanged). No exception leaves a Qt virtual: failures
// are reported from the event loop (queueErrorReport) and the call answers
// false.

#include "dataset/DataSource.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace torvik::dataset {

// Shows the error once control is back in the event loop: for failures
// inside Qt virtuals, where a modal box must not run.
void queueErrorReport(std::exception_ptr error);

class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetTableModel(TDataSource *source, QObject *parent = nullptr);

    TDataSource *Source() const { return source_; }
    TDataSet *DataSet() const { return source_ ? source_->DataSet() : nullptr; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    // Writes a text typed into a cell into its field, putting the record
    // into its edit state first. Throws when the text is refused; answers
    // false for a cell not of the dataset's current record.
    bool writeCell(const QModelIndex &index, const QString &text);

    // Makes the record of that row current, posting a pending edit first (an
    // untouched new record is dropped, and the rows after it move up).
    // Answers the view row reached, -1 when the edit could not be posted: the
    // record then stays in its edit state, and the error is reported.
    int moveToRow(int row);

public slots:
    bool submit() override;
    void revert() override;

signals:
    // The dataset's current record moved (navigation, Locate, a bookmark, an
    // insert, a post, a cancel): the view row the dataset is on.
    void currentRecordChanged(int row);
    // The dataset went into or out of editing.
    void editStateChanged();

private:
    void onDataEvent(TDataEvent event, int info);
    void resetAll();
    void followActiveRow();
    template <typename Fn>
    bool guarded(Fn &&fn);

    QPointer<TDataSource> source_;
    int rows_ = 0;
    int columns_ = 0;
};

} // namespace torvik::dataset
