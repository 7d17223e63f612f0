#pragma once

// The 256 monster name colours of the game client; a monster's NAMECOLOR is
// an index into them.

#include <QColor>

#include <array>
#include <cstdint>

namespace torvik::dbwindow {

struct TNameColor {
    uint8_t red, green, blue;
};

extern const std::array<TNameColor, 256> NameColorTable;

// Entry v of the table, 0 <= v <= 255.
QColor NameColorOf(int v);

} // namespace torvik::dbwindow
