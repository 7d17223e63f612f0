#pragma once

// How wide a grid column is: wide enough for its title and for the widest
// value its field type can hold, up to a limit, and never measured from the
// rows — so a table of a million rows sizes its columns as fast as a table of
// ten, and a seven-digit number further down is not cut.

#include "dataset/FieldType.h"

#include <QFontMetrics>

namespace torvik::dbwindow {

// The number of characters a value of the type takes at most on screen;
// declaredSize: the field's size (characters of a text field).
int displayCharacters(dataset::TFieldType type, int declaredSize);

// The column width in pixels for a title and a field.
int gridColumnWidth(const QFontMetrics &metrics, int titleWidth, dataset::TFieldType type, int declaredSize);

inline constexpr int kMinimumColumnWidth = 40;
inline constexpr int kMaximumColumnWidth = 260;

} // namespace torvik::dbwindow
