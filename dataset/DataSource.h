#pragma once

// TDataSource links a dataset to the views that show it and to the detail
// datasets that follow it. Views listen to dataEvent.

#include "dataset/DataSet.h"

#include <QObject>
#include <QPointer>

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

signals:
    void dataEvent(torvik::dataset::TDataEvent event, int info);
    // The source now shows another dataset (or none).
    void dataSetReplaced();

private:
    friend class TDataSet;
    void deliver(TDataEvent event, int info);
    void dataSetGone(TDataSet *dataSet);

    QPointer<TDataSet> dataSet_;
    bool enabled_ = true;
};

} // namespace torvik::dataset
