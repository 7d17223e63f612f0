#pragma once

// Window arrangements of the multiple-document frame that QMdiArea does not
// offer in the frame's sense: tiling in rows or in columns, minimising all,
// and lining the minimised windows up along the bottom edge.

class QMdiArea;

namespace torvik::app {

// Every window that is not minimised gets the full width, stacked top to bottom.
void tileHorizontally(QMdiArea &area);
// Every window that is not minimised gets the full height, side by side.
void tileVertically(QMdiArea &area);
void minimizeAll(QMdiArea &area);
// Minimised windows in rows from the bottom-left corner.
void arrangeIcons(QMdiArea &area);

} // namespace torvik::app
