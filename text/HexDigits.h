#pragma once

// Hexadecimal digits, as blobs are written in exported text and keys in the
// "hexkey" pragmas: the one place that reads a digit's value.

namespace torvik::text {

// 0 to 15 for 0-9, a-f and A-F; -1 for any other character.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

static_assert(hexDigitValue('0') == 0 && hexDigitValue('f') == 15 && hexDigitValue('F') == 15 && hexDigitValue('g') == -1);

} // namespace torvik::text
