#pragma once

// Dialog units: control positions that follow the dialog's font. The average
// character width is the width of the 52 letters A-Z a-z divided by 52
// (integer division), the character height is the font's line height; x
// horizontal units are x * width / 4 pixels and y vertical units y * height / 8
// pixels, each rounded the way MulDiv rounds.

#include <QFont>

namespace torvik::passwords {

// a * b / c with the quotient rounded half away from zero.
int mulDiv(int a, int b, int c);

class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);
    int averageCharWidth() const { return charWidth_; }
    int charHeight() const { return charHeight_; }
    int h(int units) const { return mulDiv(units, charWidth_, 4); }
    int v(int units) const { return mulDiv(units, charHeight_, 8); }

private:
    int charWidth_ = 0;
    int charHeight_ = 0;
};

} // namespace torvik::passwords
