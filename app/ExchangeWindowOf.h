#pragma once

// What the export and import commands use of a database window.

#include "exchange/ExchangeCommands.h"

namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::app {

// The window's table, its grid's data source, field columns and selected
// rows, its save dialog, and the main window's progress pane.
exchange::ExchangeWindow exchangeWindowOf(dbwindow::TFrmDBMain &window);

} // namespace torvik::app
