#pragma once

namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::app {

// Settles the edit pending in the window's grid, as leaving the row would:
// an open cell editor's text goes into its field, then a modified record is
// posted and an untouched one cancelled.
void postPendingEdit(dbwindow::TFrmDBMain &window);

} // namespace torvik::app
