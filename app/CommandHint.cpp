#include "app/CommandHint.h"

#include <QAction>

namespace torvik::app {

QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void setHint(QAction *action, const QString &hint)
{
    action->setToolTip(shortHint(hint));
    action->setStatusTip(longHint(hint));
}

} // namespace torvik::app
