#pragma once

// Stand-ins for the export and import routines, which the exchange layer has
// not built yet. The dispatcher calls these; each is replaced by the real
// ExportTable / ImportTable with a change of its one call line.

namespace torvik::dbwindow {
class TFrmDBMain;
}

namespace torvik::app {

// Does nothing.
void ExportTablePlaceholder(dbwindow::TFrmDBMain &window);
// Does nothing.
void ImportTablePlaceholder(dbwindow::TFrmDBMain &window);

} // namespace torvik::app
