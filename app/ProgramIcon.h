#pragma once

#include <QIcon>

namespace torvik::app {

// The program's icon, drawn in code: a database drum with a key.
QIcon programIcon();

} // namespace torvik::app
