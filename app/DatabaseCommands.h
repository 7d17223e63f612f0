#pragma once

// The four commands of the main window that act on the database of the
// active database window: export (tag 0), import (1), encrypt (2) and
// decrypt (3).

#include <cstdint>

namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::app {

// Hands the command with the given tag to the window; another tag does nothing.
void RunDatabaseCommand(dbwindow::TFrmDBMain &window, std::uint8_t tag);

} // namespace torvik::app
