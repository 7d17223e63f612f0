#pragma once

// TDataSource links a dataset to the views that show it and to the detail
// datasets that follow it. Views listen to dataEvent.

#include "dataset/DataSet.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

namespace torvik::dataset {

class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject *owner = nullptr);
    ~TDataSource() override;

    TDataSet *DataSet() const { return dataSet_; }
    // Setting none detaches the views.
    void setDataSet(TDataSet *dataSet);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    TDataSetState State() const;

    // A view that holds text the user typed but has not yet written into the
    // fields (a grid's open cell editor) registers how to write it. The
    // dataset runs these before it posts, so nothing typed is lost or left
    // behind; a refused text throws out of the post. The handler goes with
    // its owner.
    void addRecordWriter(QObject *owner, std::function<void()> write);

signals:
    void dataEvent(torvik::dataset::TDataEvent event, int info);
    // The source now shows another dataset (or none).
    void dataSetReplaced();

private:
    friend class TDataSet;
    void deliver(TDataEvent event, int info);
    void updateRecord();
    void dataSetGone(TDataSet *dataSet);

    QPointer<TDataSet> dataSet_;
    bool enabled_ = true;
    struct RecordWriter {
        QPointer<QObject> owner;
        std::function<void()> write;
    };
    std::vector<RecordWriter> recordWriters_;
};

} // namespace torvik::dataset
