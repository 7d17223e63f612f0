#include "dbwindow/ColumnWidths.h"

#include <QString>

#include <algorithm>

namespace torvik::dbwindow {

using namespace dataset;

int displayCharacters(TFieldType type, int declaredSize)
{
    switch (type) {
    case ftSmallint:
    case ftWord: return 6;
    case ftInteger:
    case ftAutoInc: return 11; // -2147483648
    case ftLargeint: return 20;
    case ftBoolean: return 5;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd: return 16;
    case ftDate: return 10;
    case ftTime: return 8;
    case ftDateTime:
    case ftTimeStamp: return 19;
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftFixedWideChar:
        // A CHAR(14) name holds 14 bytes: seven Chinese characters, each as
        // wide as two digits.
        return std::clamp(declaredSize, 4, 40);
    default: return 12;
    }
}

int gridColumnWidth(const QFontMetrics &metrics, int titleWidth, TFieldType type, int declaredSize)
{
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char(' ')) + 6;
    const int valueWidth = metrics.horizontalAdvance(QString(displayCharacters(type, declaredSize), QLatin1Char('0')));
    return std::clamp(std::max(titleWidth, valueWidth + padding), kMinimumColumnWidth, kMaximumColumnWidth);
}

} // namespace torvik::dbwindow
