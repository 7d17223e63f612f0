#include "ui/ProgressPane.h"

namespace torvik::ui {

namespace {
QPointer<ProgressPane> mainPane;
}

ProgressPane::ProgressPane(QWidget *parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
    setFormat(QStringLiteral("%p%"));
    setTextVisible(true);
    hide();
}

void ProgressPane::setTotalParts(int total)
{
    // A total of zero would make QProgressBar show a busy indicator.
    setRange(0, qMax(total, 1));
}

void ProgressPane::setPartsComplete(int done)
{
    setValue(qBound(0, done, maximum()));
}

void ProgressPane::stepIt()
{
    setPartsComplete(value() + 1);
}

int ProgressPane::percentComplete() const
{
    return maximum() <= 0 ? 0 : int(qint64(value()) * 100 / maximum());
}

ProgressPane *mainProgressPane()
{
    return mainPane.data();
}

void setMainProgressPane(ProgressPane *pane)
{
    mainPane = pane;
}

} // namespace torvik::ui
