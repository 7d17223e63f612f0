#include "dataset/RecordValues.h"

#include "dataset/AsciiText.h"
#include "dataset/Errors.h"
#include "dataset/TextConvert.h"
#include "text/Gbk.h"

#include <QDate>
#include <QString>

#include <sqlite3.h>

#include <cassert>
#include <cmath>
#include <limits>
#include <optional>

namespace torvik::dataset {

namespace {

using L = TRecordLayout;

struct TimeStampSlot {
    uint16_t year, month, day, hour, minute, second;
    uint32_t fraction; // milliseconds
};
// The slots the field type table sizes hold exactly what is put into them here.
static_assert(traitsOf(ftTimeStamp).slotBytes == sizeof(TimeStampSlot));
static_assert(traitsOf(ftInteger).slotBytes == sizeof(int32_t) && traitsOf(ftSmallint).slotBytes == sizeof(int32_t));
static_assert(traitsOf(ftBoolean).slotBytes == sizeof(int16_t));
static_assert(traitsOf(ftFloat).slotBytes == sizeof(double) && traitsOf(ftDateTime).slotBytes == sizeof(double));
static_assert(traitsOf(ftDate).slotBytes == sizeof(int32_t) && traitsOf(ftTime).slotBytes == sizeof(int32_t));
static_assert(traitsOf(ftBlob).slotBytes == sizeof(std::string *));
static_assert(traitsOf(ftWideString).slotBytes == sizeof(char16_t)); // the terminator

void putText(uint8_t *record, const TSlot &slot, const char *bytes, size_t length)
{
    const size_t n = std::min(length, size_t(slot.size > 0 ? slot.size : 0));
    if (n > 0)
        std::memcpy(record + slot.offset, bytes, n);
    record[slot.offset + int(n)] = 0;
    L::SetReadLonger(record, slot, false);
}

// The longest beginning of the text, at most `limit` bytes, that ends on a
// whole character: GBK lead bytes (0x81..0xFE) take their trail byte along,
// UTF-8 sequences stay whole.
size_t wholeCharacterLength(std::string_view text, size_t limit, bool utf8)
{
    if (text.size() <= limit)
        return text.size();
    if (utf8) {
        size_t n = limit;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
        return n;
    }
    size_t n = 0;
    while (n < limit) {
        const auto byte = static_cast<unsigned char>(text[n]);
        const size_t width = byte >= 0x81 && byte <= 0xFE && n + 1 < text.size() ? 2 : 1;
        if (n + width > limit)
            break;
        n += width;
    }
    return n;
}

// The blob bytes of a writable record: every blob slot of a record refers to
// bytes of its own (TRecord).
std::string &blobOf(uint8_t *record, const TSlot &slot)
{
    std::string *blob = L::Blob(record, slot);
    assert(blob && "a writable record has bytes for every blob field");
    return *blob;
}

bool slotIsNull(const uint8_t *record, const TSlot &slot)
{
    return isNullableType(slot.type) && !L::HasValue(record, slot);
}

const char *slotChars(const uint8_t *record, const TSlot &slot)
{
    return reinterpret_cast<const char *>(record + slot.offset);
}

std::string_view slotBytes(const uint8_t *record, const TSlot &slot)
{
    const char *p = slotChars(record, slot);
    return std::string_view(p, strnlen(p, size_t(slot.size)));
}

void putWide(uint8_t *record, const TSlot &slot, const char16_t *utf16, size_t units)
{
    const size_t maxUnits = size_t(std::max(slot.size, 0)) / 2;
    const size_t n = std::min(units, maxUnits);
    if (n > 0)
        std::memcpy(record + slot.offset, utf16, n * 2);
    std::memset(record + slot.offset + n * 2, 0, 2);
}

QString wideText(const uint8_t *record, const TSlot &slot)
{
    const size_t maxUnits = size_t(std::max(slot.size, 0)) / 2;
    std::u16string units;
    for (size_t i = 0; i < maxUnits; ++i) {
        char16_t u;
        std::memcpy(&u, record + slot.offset + i * 2, 2);
        if (u == 0)
            break;
        units += u;
    }
    return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

void putDayCount(uint8_t *record, const TSlot &slot, double dayCount)
{
    const DayAndTime parts = splitDayCount(dayCount);
    switch (storageOf(slot.type)) {
    case TStorage::Date:
        L::Put<int32_t>(record, slot, parts.dayNumber);
        break;
    case TStorage::Time:
        L::Put<int32_t>(record, slot, parts.msOfDay);
        break;
    case TStorage::DateTime:
        L::Put<double>(record, slot, double(parts.dayNumber) * double(kMsPerDay) + parts.msOfDay);
        break;
    case TStorage::TimeStamp: {
        const QDate date = QDate(1899, 12, 30).addDays(parts.dayNumber - kDayNumberOf18991230);
        const int ms = parts.msOfDay;
        TimeStampSlot ts{uint16_t(date.year()), uint16_t(date.month()), uint16_t(date.day()),
                         uint16_t(ms / 3600000), uint16_t(ms / 60000 % 60), uint16_t(ms / 1000 % 60),
                         uint32_t(ms % 1000)};
        L::Put<TimeStampSlot>(record, slot, ts);
        break;
    }
    default:
        break;
    }
}

double dayCountOf(const uint8_t *record, const TSlot &slot)
{
    switch (storageOf(slot.type)) {
    case TStorage::Date:
        return joinDayCount(L::Get<int32_t>(record, slot), 0);
    case TStorage::Time:
        return double(L::Get<int32_t>(record, slot)) / double(kMsPerDay);
    case TStorage::DateTime: {
        const double v = L::Get<double>(record, slot);
        const double day = std::floor(v / double(kMsPerDay));
        return joinDayCount(int32_t(day), int32_t(v - day * double(kMsPerDay)));
    }
    case TStorage::TimeStamp: {
        const auto ts = L::Get<TimeStampSlot>(record, slot);
        const QDate date(ts.year, ts.month, ts.day);
        const int32_t day = int32_t(QDate(1899, 12, 30).daysTo(date)) + kDayNumberOf18991230;
        return joinDayCount(day, int32_t(ts.hour * 3600000 + ts.minute * 60000 + ts.second * 1000 + ts.fraction));
    }
    default:
        return 0;
    }
}

[[noreturn]] void invalidValue(const char *kind, std::string_view text, const std::string &displayName)
{
    throw EDatabaseError(formatMessage(std::string("'%s' is not a valid ") + kind + " value for field '%s'",
                                       {std::string(text), displayName}));
}

// The number an integer, Boolean or real slot holds; the other types are read
// through their text (or, for dates, their day count).
std::optional<double> storedNumber(const uint8_t *record, const TSlot &slot)
{
    switch (storageOf(slot.type)) {
    case TStorage::Integer:
        return L::Get<int32_t>(record, slot);
    case TStorage::Boolean:
        return L::Get<int16_t>(record, slot) ? 1 : 0;
    case TStorage::Real:
        return L::Get<double>(record, slot);
    default:
        return std::nullopt;
    }
}

} // namespace

void StoreColumn(sqlite3_stmt *statement, int column, const TSlot &slot, TRecord &target)
{
    uint8_t *record = target.data();
    // One engine call per column: the value is then read without further locking.
    sqlite3_value *value = sqlite3_column_value(statement, column);
    const int storage = sqlite3_value_type(value);
    L::SetHasValue(record, slot, storage != SQLITE_NULL);
    auto columnText = [&] {
        const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(value));
        return p ? std::string_view(p, size_t(sqlite3_value_bytes(value))) : std::string_view();
    };
    auto columnNumber = [&]() -> double {
        // Numbers come straight from the engine; only texts are parsed.
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return sqlite3_value_double(value);
        double v = 0;
        return tryTextToFloat(columnText(), v) ? v : 0.0;
    };
    switch (storageOf(slot.type)) {
    case TStorage::Text: {
        // The slot shows the declared size; a longer text is kept whole, so
        // that a post of another field writes back what the file held.
        const std::string_view text = columnText();
        putText(record, slot, text.data(), text.size());
        if (slot.size >= 0 && text.size() > size_t(slot.size)) {
            target.AddSideValue(slot, std::string(text));
            L::SetReadLonger(target.data(), slot, true);
        }
        break;
    }
    case TStorage::Integer: {
        int32_t v = 0;
        if (storage == SQLITE_INTEGER) {
            const sqlite3_int64 wide = sqlite3_value_int64(value);
            if (wide >= std::numeric_limits<int32_t>::min() && wide <= std::numeric_limits<int32_t>::max())
                v = int32_t(wide);
        } else if (storage != SQLITE_NULL && !tryTextToInt(columnText(), v)) {
            v = 0;
        }
        L::Put<int32_t>(record, slot, v);
        break;
    }
    case TStorage::Boolean: {
        const std::string_view text = columnText();
        const bool v = text.empty() ? false : textToBool(text);
        L::Put<int16_t>(record, slot, v ? int16_t(-1) : int16_t(0));
        break;
    }
    case TStorage::Real:
        L::Put<double>(record, slot, columnNumber());
        break;
    case TStorage::Date:
    case TStorage::Time:
    case TStorage::DateTime:
    case TStorage::TimeStamp:
        putDayCount(record, slot, columnNumber());
        break;
    case TStorage::Blob: {
        const void *bytes = sqlite3_value_blob(value);
        const int n = sqlite3_value_bytes(value);
        std::string blob;
        if (bytes && n > 0)
            blob.assign(static_cast<const char *>(bytes), size_t(n));
        target.AddSideValue(slot, std::move(blob));
        break;
    }
    case TStorage::WideText: {
        const auto *p = static_cast<const char16_t *>(sqlite3_value_text16(value));
        const size_t units = p ? size_t(sqlite3_value_bytes16(value)) / 2 : 0;
        putWide(record, slot, p ? p : u"", units);
        break;
    }
    case TStorage::None:
        break;
    }
}

void InitNewRecord(TRecord &record, const TRecordLayout &layout)
{
    record.Reset(layout);
    // The clock is read only for a table with date or time columns: reading
    // it asks the system for its time zone, once per new row of an import.
    std::optional<double> now;
    for (int i = 0; i < layout.Count(); ++i) {
        const TSlot &s = layout.slot(i);
        if (isDateTimeType(s.type)) {
            if (!now)
                now = nowAsDayCount();
            putDayCount(record.data(), s, *now);
        }
        else if (isBlobType(s.type))
            record.AddSideValue(s, std::string());
    }
}

std::string SlotText(const uint8_t *record, const TSlot &slot, bool utf8Mode)
{
    if (slotIsNull(record, slot))
        return {};
    switch (storageOf(slot.type)) {
    case TStorage::Text: {
        const std::string_view bytes = slotBytes(record, slot);
        return utf8Mode ? text::utf8ToGbk(bytes) : std::string(bytes);
    }
    case TStorage::Integer:
        return std::to_string(L::Get<int32_t>(record, slot));
    case TStorage::Boolean:
        return L::Get<int16_t>(record, slot) ? "True" : "False";
    case TStorage::Real:
        return floatToText(L::Get<double>(record, slot));
    case TStorage::Date:
        return dayCountToDateText(dayCountOf(record, slot));
    case TStorage::Time:
        return dayCountToTimeText(dayCountOf(record, slot));
    case TStorage::DateTime:
    case TStorage::TimeStamp:
        return dayCountToDateTimeText(dayCountOf(record, slot));
    case TStorage::Blob: {
        const std::string *blob = L::Blob(record, slot);
        return blob ? *blob : std::string();
    }
    case TStorage::WideText:
        return text::toGbk(wideText(record, slot));
    case TStorage::None:
        break;
    }
    return {};
}

void PutSlotString(uint8_t *record, const TSlot &slot, std::string_view gbk, bool utf8Mode)
{
    L::SetHasValue(record, slot, true);
    const std::string utf8 = utf8Mode ? text::gbkToUtf8(gbk) : std::string();
    const std::string_view text = utf8Mode ? std::string_view(utf8) : gbk;
    // A cut never splits a character in two.
    putText(record, slot, text.data(), wholeCharacterLength(text, size_t(std::max(slot.size, 0)), utf8Mode));
}

void AssignSlotText(uint8_t *record, const TSlot &slot, std::string_view text, bool utf8Mode,
                    const std::string &displayName)
{
    const TStorage storage = storageOf(slot.type);
    switch (storage) {
    case TStorage::Text:
        PutSlotString(record, slot, text, utf8Mode);
        return;
    case TStorage::Blob: {
        blobOf(record, slot).assign(text.data(), text.size());
        L::SetHasValue(record, slot, true);
        return;
    }
    case TStorage::WideText: {
        const std::u16string units = text::fromGbk(text).toStdU16String();
        putWide(record, slot, units.data(), units.size());
        L::SetHasValue(record, slot, true);
        return;
    }
    default:
        break;
    }
    if (text.empty()) {
        L::SetHasValue(record, slot, false);
        return;
    }
    switch (storage) {
    case TStorage::Integer: {
        int32_t v = 0;
        if (!tryTextToInt(text, v))
            invalidValue("integer", text, displayName);
        L::Put<int32_t>(record, slot, v);
        break;
    }
    case TStorage::Real: {
        double v = 0;
        if (!tryTextToFloat(text, v))
            invalidValue("floating point", text, displayName);
        L::Put<double>(record, slot, v);
        break;
    }
    case TStorage::Boolean: {
        // The text may be any beginning of the word: "t", "FA".
        auto isPrefixOf = [&](std::string_view word) { return startsWithIgnoringCase(word, text); };
        bool v;
        if (isPrefixOf("False"))
            v = false;
        else if (isPrefixOf("True"))
            v = true;
        else
            invalidValue("boolean", text, displayName);
        L::Put<int16_t>(record, slot, v ? int16_t(-1) : int16_t(0));
        break;
    }
    case TStorage::Date:
    case TStorage::Time:
    case TStorage::DateTime:
    case TStorage::TimeStamp: {
        double dayCount = 0;
        const bool ok = storage == TStorage::Date   ? tryDateTextToDayCount(text, dayCount)
                        : storage == TStorage::Time ? tryTimeTextToDayCount(text, dayCount)
                                                    : tryDateTimeTextToDayCount(text, dayCount);
        if (!ok)
            invalidValue(storage == TStorage::Date   ? "date"
                         : storage == TStorage::Time ? "time"
                                                     : "date and time",
                         text, displayName);
        putDayCount(record, slot, dayCount);
        break;
    }
    default:
        return;
    }
    L::SetHasValue(record, slot, true);
}

int32_t SlotInteger(const uint8_t *record, const TSlot &slot, bool utf8Mode)
{
    if (slotIsNull(record, slot))
        return 0;
    if (const std::optional<double> number = storedNumber(record, slot))
        return int32_t(std::llround(*number));
    return textToInt(SlotText(record, slot, utf8Mode));
}

double SlotFloat(const uint8_t *record, const TSlot &slot, bool utf8Mode)
{
    if (slotIsNull(record, slot))
        return 0;
    if (const std::optional<double> number = storedNumber(record, slot))
        return *number;
    if (isDateTimeType(slot.type))
        return dayCountOf(record, slot);
    const std::string text = SlotText(record, slot, utf8Mode);
    double v = 0;
    if (!tryTextToFloat(text, v))
        throw EConvertError(formatMessage("'%s' is not a valid floating point value", {text}));
    return v;
}

bool SlotBoolean(const uint8_t *record, const TSlot &slot, bool utf8Mode)
{
    if (slotIsNull(record, slot))
        return false;
    switch (storageOf(slot.type)) {
    case TStorage::Boolean:
        return L::Get<int16_t>(record, slot) != 0;
    case TStorage::Integer:
        return L::Get<int32_t>(record, slot) != 0;
    default:
        return textToBool(SlotText(record, slot, utf8Mode));
    }
}

double SlotDayCount(const uint8_t *record, const TSlot &slot, bool utf8Mode)
{
    return SlotFloat(record, slot, utf8Mode);
}

void PutSlotInteger(uint8_t *record, const TSlot &slot, int32_t value, bool utf8Mode, const std::string &displayName)
{
    switch (storageOf(slot.type)) {
    case TStorage::Integer:
        L::Put<int32_t>(record, slot, value);
        L::SetHasValue(record, slot, true);
        return;
    case TStorage::Boolean:
        PutSlotBoolean(record, slot, value != 0, utf8Mode, displayName);
        return;
    default:
        if (isRealType(slot.type) || isDateTimeType(slot.type))
            PutSlotFloat(record, slot, value, utf8Mode, displayName);
        else
            AssignSlotText(record, slot, std::to_string(value), utf8Mode, displayName);
    }
}

void PutSlotFloat(uint8_t *record, const TSlot &slot, double value, bool utf8Mode, const std::string &displayName)
{
    switch (storageOf(slot.type)) {
    case TStorage::Real:
        L::Put<double>(record, slot, value);
        break;
    case TStorage::Integer:
        if (!(std::fabs(value) < 2147483648.0))
            invalidValue("integer", floatToText(value), displayName);
        L::Put<int32_t>(record, slot, int32_t(std::llround(value)));
        break;
    case TStorage::Date:
    case TStorage::Time:
    case TStorage::DateTime:
    case TStorage::TimeStamp:
        putDayCount(record, slot, value);
        break;
    default:
        AssignSlotText(record, slot, floatToText(value), utf8Mode, displayName);
        return;
    }
    L::SetHasValue(record, slot, true);
}

void PutSlotBoolean(uint8_t *record, const TSlot &slot, bool value, bool utf8Mode, const std::string &displayName)
{
    switch (storageOf(slot.type)) {
    case TStorage::Boolean:
        L::Put<int16_t>(record, slot, value ? int16_t(-1) : int16_t(0));
        L::SetHasValue(record, slot, true);
        return;
    case TStorage::Integer:
        PutSlotInteger(record, slot, value ? 1 : 0, utf8Mode, displayName);
        return;
    default:
        AssignSlotText(record, slot, value ? "True" : "False", utf8Mode, displayName);
    }
}

void PutSlotDayCount(uint8_t *record, const TSlot &slot, double dayCount, bool utf8Mode, const std::string &displayName)
{
    if (isDateTimeType(slot.type) || isRealType(slot.type)) {
        PutSlotFloat(record, slot, dayCount, utf8Mode, displayName);
        return;
    }
    AssignSlotText(record, slot, dayCountToDateTimeText(dayCount), utf8Mode, displayName);
}

TParameterValue SlotParameterValue(const uint8_t *record, const TSideValues *side, const TSlot &slot)
{
    const TBindAs bindAs = traitsOf(slot.type).bindAs;
    if (bindAs != TBindAs::Blob && slotIsNull(record, slot))
        return std::monostate();
    switch (bindAs) {
    case TBindAs::Integer:
        return L::Get<int32_t>(record, slot);
    case TBindAs::Real:
        return L::Get<double>(record, slot);
    case TBindAs::Text: {
        // A text that was read longer than its slot and not assigned since
        // goes back whole.
        const std::string *asRead = L::ReadLonger(record, slot) ? FindSideValue(side, slot.index) : nullptr;
        const std::string_view bytes = asRead ? std::string_view(*asRead) : slotBytes(record, slot);
        if (bytes.empty())
            return std::monostate();
        return TTextValue{bytes};
    }
    case TBindAs::BooleanText:
        return TTextValue{L::Get<int16_t>(record, slot) ? "True" : "False"};
    case TBindAs::WideText: {
        std::u16string units = wideText(record, slot).toStdU16String();
        units.resize(std::min(units.size(), size_t(std::max(slot.size, 0)) / 2));
        return units;
    }
    case TBindAs::DayCount:
        return dayCountOf(record, slot);
    case TBindAs::Blob: {
        // A NULL blob binds as an empty one.
        const std::string *blob = L::HasValue(record, slot) ? L::Blob(record, slot) : nullptr;
        return TBlobValue{blob ? std::string_view(*blob) : std::string_view("", 0)};
    }
    case TBindAs::Nothing:
        break;
    }
    return std::monostate();
}

} // namespace torvik::dataset
