#include "dataset/DataSource.h"

#include <cassert>

namespace torvik::dataset {

TDataSource::TDataSource(QObject *owner) : QObject(owner) {}

TDataSource::~TDataSource()
{
    if (dataSet_)
        dataSet_->detach(this);
}

void TDataSource::setDataSet(TDataSet *dataSet)
{
    if (dataSet == dataSet_)
        return;
    if (dataSet_)
        dataSet_->detach(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->attach(this);
    emit dataSetReplaced();
}

void TDataSource::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    emit dataSetReplaced();
}

TDataSetState TDataSource::State() const
{
    return dataSet_ && enabled_ ? dataSet_->State() : TDataSetState::dsInactive;
}

void TDataSource::deliver(TDataEvent event, int info)
{
    if (enabled_)
        emit dataEvent(event, info);
}

void TDataSource::addRecordWriter(QObject *owner, std::function<void()> write)
{
    assert(owner && write);
    recordWriters_.push_back({owner, std::move(write)});
}

void TDataSource::updateRecord()
{
    std::erase_if(recordWriters_, [](const RecordWriter &w) { return !w.owner; });
    const auto writers = recordWriters_;
    for (const RecordWriter &w : writers)
        if (w.owner)
            w.write();
}

void TDataSource::dataSetGone(TDataSet *dataSet)
{
    if (dataSet_ == dataSet) {
        dataSet_ = nullptr;
        emit dataSetReplaced();
    }
}

} // namespace torvik::dataset
