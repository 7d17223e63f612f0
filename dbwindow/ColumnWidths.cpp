#include "dbwindow/ColumnWidths.h"

#include "dataset/DataSet.h"
#include "dataset/RecordValues.h"

#include <QString>

#include <algorithm>
#include <string>

namespace torvik::dbwindow {

using namespace dataset;

bool isIntegerType(TFieldType type)
{
    return type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc || type == ftLargeint;
}

int valueCharacters(const TDataSet &dataSet, const TField &field)
{
    if (!isIntegerType(field.DataType()))
        return displayCharacters(field.DataType(), field.Size());
    int64_t lowest = 0;
    int64_t highest = 0;
    const int rows = dataSet.ViewRowCount();
    for (int row = 0; row < rows; ++row) {
        const uint8_t *record = dataSet.ViewRecord(row);
        if (!record)
            continue;
        try {
            const int64_t value = SlotInteger(record, field.Slot(), false);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        } catch (...) {
            // A text in an integer column is shown as stored; the type's
            // usual width serves it.
            return displayCharacters(field.DataType(), field.Size());
        }
    }
    return int(std::max(std::to_string(lowest).size(), std::to_string(highest).size()));
}

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

int gridColumnWidth(const QFontMetrics &metrics, int titleWidth, int valueCharacters)
{
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char(' ')) + 6;
    const int valueWidth = metrics.horizontalAdvance(QString(valueCharacters, QLatin1Char('0')));
    return std::clamp(std::max(titleWidth, valueWidth + padding), kMinimumColumnWidth, kMaximumColumnWidth);
}

} // namespace torvik::dbwindow
