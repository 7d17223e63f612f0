#include "dbwindow/DbNavigator.h"

#include "dataset/DataSource.h"
#include "dbwindow/RowDeleteQuestion.h"
#include "ui/ErrorReport.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace torvik::dbwindow {

using dataset::TDataSetState;

namespace {

struct ButtonSpec {
    const char *name;
    const char16_t *hint;
    const char16_t *glyph;
};

const ButtonSpec kButtons[kNavigateButtons] = {
    {"nbFirst", u"到首记录", u"|◀"}, {"nbPrior", u"上一记录", u"◀"},   {"nbNext", u"下一记录", u"▶"},
    {"nbLast", u"到尾记录", u"▶|"},  {"nbInsert", u"增加数据", u"+"},  {"nbDelete", u"删除数据", u"−"},
    {"nbEdit", u"修改数据", u"▲"},   {"nbPost", u"保存修改", u"✔"},    {"nbCancel", u"取消修改", u"✘"},
    {"nbRefresh", u"刷新数据", u"↻"},
};

} // namespace

TDbNavigator::TDbNavigator(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < kNavigateButtons; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(kButtons[i].name));
        b->setText(QString::fromUtf16(kButtons[i].glyph));
        b->setToolTip(QString::fromUtf16(kButtons[i].hint));
        b->setMinimumWidth(34);
        b->setAutoRaise(false);
        const auto which = NavigateButton(i);
        connect(b, &QToolButton::clicked, this, ui::guarded([this, which](bool) { BtnClick(which); }));
        row->addWidget(b);
        buttons_[size_t(i)] = b;
    }
    row->addStretch(1);
    updateButtons();
}

void TDbNavigator::setDataSource(dataset::TDataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
        connect(source_, &dataset::TDataSource::dataEvent, this, &TDbNavigator::updateButtons);
        connect(source_, &dataset::TDataSource::dataSetReplaced, this, &TDbNavigator::updateButtons);
        connect(source_, &QObject::destroyed, this, [this] {
            source_ = nullptr;
            updateButtons();
        });
    }
    updateButtons();
}

dataset::TDataSet *TDbNavigator::dataSet() const
{
    return source_ ? source_->DataSet() : nullptr;
}

void TDbNavigator::updateButtons()
{
    const dataset::TDataSet *ds = dataSet();
    const bool active = ds && ds->Active() && source_->Enabled();
    const bool editing = active && (ds->State() == TDataSetState::dsEdit || ds->State() == TDataSetState::dsInsert);
    const bool empty = !active || (ds->Bof() && ds->Eof());
    const bool up = active && !ds->Bof();
    const bool down = active && !ds->Eof();
    const bool enabled[kNavigateButtons] = {up, up, down, down, active, active && !empty, active && !editing && !empty,
                                           editing, editing, active};
    for (int i = 0; i < kNavigateButtons; ++i)
        buttons_[size_t(i)]->setEnabled(enabled[i]);
}

void TDbNavigator::BtnClick(NavigateButton which)
{
    dataset::TDataSet *ds = dataSet();
    if (!ds)
        return;
    switch (which) {
    case NavigateButton::First: ds->First(); break;
    case NavigateButton::Prior: ds->Prior(); break;
    case NavigateButton::Next: ds->Next(); break;
    case NavigateButton::Last: ds->Last(); break;
    case NavigateButton::Insert: ds->Insert(); break;
    case NavigateButton::Delete:
        if (confirmRowDelete(window()))
            ds->Delete();
        break;
    case NavigateButton::Edit: ds->Edit(); break;
    case NavigateButton::Post: ds->Post(); break;
    case NavigateButton::Cancel: ds->Cancel(); break;
    case NavigateButton::Refresh: ds->Refresh(); break;
    }
    updateButtons();
}

} // namespace torvik::dbwindow
