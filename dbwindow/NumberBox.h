#pragma once

// Reading and writing the number boxes of the balancing aids. A box is read
// from the text it shows, so that a field the user emptied or left half
// typed reads as the box's minimum rather than as a value it showed before.

class QDoubleSpinBox;
class QSpinBox;

namespace torvik::dbwindow {

double readNumber(const QSpinBox *box);
double readNumber(const QDoubleSpinBox *box);

// Clamped into the box's range first, so a value beyond it shows as the bound.
void writeNumber(QSpinBox *box, double value);

} // namespace torvik::dbwindow
