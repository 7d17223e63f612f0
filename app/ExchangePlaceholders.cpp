#include "app/ExchangePlaceholders.h"

namespace torvik::app {

void ExportTablePlaceholder(dbwindow::TFrmDBMain &) {}

void ImportTablePlaceholder(dbwindow::TFrmDBMain &) {}

} // namespace torvik::app
