#pragma once

class QWidget;

namespace torvik::dbwindow {

// The question asked before a row is deleted from the grid or the navigator;
// true on OK.
bool confirmRowDelete(QWidget *owner);

} // namespace torvik::dbwindow
