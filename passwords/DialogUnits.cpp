#include "passwords/DialogUnits.h"

#include <QFontMetrics>

#include <cstdint>

namespace torvik::passwords {

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1; // what MulDiv answers for a zero divisor
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t half = (c < 0 ? -std::int64_t(c) : std::int64_t(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -std::int64_t(c) : c);
    return int(negative ? -magnitude : magnitude);
}

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    charWidth_ = metrics.horizontalAdvance(letters) / 52;
    charHeight_ = metrics.height();
}

} // namespace torvik::passwords
