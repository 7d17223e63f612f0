#pragma once

// How wide a grid column is: wide enough for its title and for its values,
// up to a limit. Integer columns are as wide as their widest number, anywhere
// in the table (a seven-digit price further down is not cut); other columns
// as wide as their type's usual values. No text is measured row by row, and a
// title change sizes nothing but the titles.

#include "dataset/FieldType.h"

#include <QFontMetrics>

namespace torvik::dataset {
class TDataSet;
class TField;
} // namespace torvik::dataset

namespace torvik::dbwindow {

bool isIntegerType(dataset::TFieldType type);

// The characters a column's values take on screen: for an integer field the
// digits (and sign) of its widest value in the dataset's rows, for the others
// what the type usually needs (declaredSize: a text field's size).
int valueCharacters(const dataset::TDataSet &dataSet, const dataset::TField &field);
int displayCharacters(dataset::TFieldType type, int declaredSize);

// The column width in pixels for a title and values of that many characters.
int gridColumnWidth(const QFontMetrics &metrics, int titleWidth, int valueCharacters);

inline constexpr int kMinimumColumnWidth = 40;
inline constexpr int kMaximumColumnWidth = 260;

} // namespace torvik::dbwindow
