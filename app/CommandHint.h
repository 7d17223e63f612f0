#pragma once

// A command's hint holds a short and a long part separated by "|": the short
// part is the tooltip, the long part the status-bar text. A hint without a bar
// serves as both.

#include <QString>

class QAction;

namespace torvik::app {

QString shortHint(const QString &hint);
QString longHint(const QString &hint);
void setHint(QAction *action, const QString &hint);

} // namespace torvik::app
