#include "dataset/TextConvert.h"

#include "dataset/AsciiText.h"
#include "dataset/Errors.h"

#include <QDateTime>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <cassert>

namespace torvik::dataset {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimLeft(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view trim(std::string_view s)
{
    s = trimLeft(s);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

const QDate &epoch()
{
    static const QDate day(1899, 12, 30);
    return day;
}

QDateTime dayCountToDateTime(double dayCount)
{
    const DayAndTime parts = splitDayCount(dayCount);
    const QDate date = epoch().addDays(parts.dayNumber - kDayNumberOf18991230);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(parts.msOfDay));
}

double dateTimeToDayCount(const QDate &date, const QTime &time)
{
    const int32_t day = int32_t(epoch().daysTo(date)) + kDayNumberOf18991230;
    return joinDayCount(day, time.isValid() ? time.msecsSinceStartOfDay() : 0);
}

// The locale's long time form without a time zone: stored times have none.
QString timeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString dateFormat()
{
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

} // namespace

bool tryTextToInt(std::string_view text, int32_t &value)
{
    std::string_view s = trimLeft(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty())
        return false;
    uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return false;
    if (base == 16) {
        // Hexadecimal covers the whole 32-bit pattern, as the platform's reader does.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        const int32_t bits = int32_t(uint32_t(magnitude));
        value = negative ? int32_t(0u - uint32_t(bits)) : bits;
        return true;
    }
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return false;
    value = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
    return true;
}

bool tryTextToFloat(std::string_view text, double &value)
{
    const std::string_view s = trim(text);
    std::string normalized;
    normalized.reserve(s.size());
    size_t i = 0;
    auto digits = [&] {
        size_t n = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            normalized += s[i++];
            ++n;
        }
        return n;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            normalized += '-';
        ++i;
    }
    size_t mantissaDigits = digits();
    if (i < s.size() && s[i] == '.') {
        normalized += '.';
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        normalized += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            normalized += s[i++];
        if (digits() == 0)
            return false;
    }
    if (i != s.size())
        return false;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(normalized.data(), normalized.data() + normalized.size(), parsed);
    if (ec != std::errc() || end != normalized.data() + normalized.size())
        return false;
    value = parsed;
    return true;
}

bool tryTextToBool(std::string_view text, bool &value)
{
    if (equalsIgnoringCase(text, "True")) {
        value = true;
        return true;
    }
    if (equalsIgnoringCase(text, "False")) {
        value = false;
        return true;
    }
    double number = 0;
    if (tryTextToFloat(text, number)) {
        value = number != 0;
        return true;
    }
    return false;
}

int32_t textToInt(std::string_view text)
{
    int32_t value = 0;
    if (!tryTextToInt(text, value))
        throw EConvertError(formatMessage("'%s' is not a valid integer value", {std::string(text)}));
    return value;
}

bool textToBool(std::string_view text)
{
    bool value = false;
    if (!tryTextToBool(text, value))
        throw EConvertError(formatMessage("'%s' is not a valid boolean value", {std::string(text)}));
    return value;
}

std::string floatToText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    // to_chars ignores the C locale, which Qt takes from the environment: a
    // German LC_NUMERIC must not turn "1.5" into "1,5" in a grid or an export.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    assert(ec == std::errc());
    std::string text(buffer, end);
    // to_chars writes "1.5e+20" and "1e-07"; the stored form is "1.5E20" and "1E-7".
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        const std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        const bool negative = !exponent.empty() && exponent[0] == '-';
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-'))
            exponent.erase(0, 1);
        while (exponent.size() > 1 && exponent[0] == '0')
            exponent.erase(0, 1);
        text = mantissa + "E" + (negative ? "-" : "") + exponent;
    }
    return text;
}

DayAndTime splitDayCount(double dayCount)
{
    const int64_t ms = std::llround(dayCount * double(kMsPerDay));
    return {int32_t(ms / kMsPerDay + kDayNumberOf18991230), int32_t(ms % kMsPerDay)};
}

double joinDayCount(int32_t dayNumber, int32_t msOfDay)
{
    return double(dayNumber - kDayNumberOf18991230) + double(msOfDay) / double(kMsPerDay);
}

std::string dayCountToDateText(double dayCount)
{
    return QLocale::system().toString(dayCountToDateTime(dayCount).date(), dateFormat()).toStdString();
}

std::string dayCountToTimeText(double dayCount)
{
    return QLocale::system().toString(dayCountToDateTime(dayCount).time(), timeFormat()).toStdString();
}

std::string dayCountToDateTimeText(double dayCount)
{
    // Midnight shows as the date alone, as the platform's date-time text does.
    if (splitDayCount(dayCount).msOfDay == 0)
        return dayCountToDateText(dayCount);
    return dayCountToDateText(dayCount) + " " + dayCountToTimeText(dayCount);
}

bool tryDateTextToDayCount(std::string_view text, double &dayCount)
{
    const QDate date = QLocale::system().toDate(QString::fromUtf8(trim(text)), dateFormat());
    if (!date.isValid())
        return false;
    dayCount = dateTimeToDayCount(date, QTime(0, 0));
    return true;
}

bool tryTimeTextToDayCount(std::string_view text, double &dayCount)
{
    const QTime time = QLocale::system().toTime(QString::fromUtf8(trim(text)), timeFormat());
    if (!time.isValid())
        return false;
    dayCount = double(time.msecsSinceStartOfDay()) / double(kMsPerDay);
    return true;
}

bool tryDateTimeTextToDayCount(std::string_view text, double &dayCount)
{
    const QString value = QString::fromUtf8(trim(text));
    const QDateTime both = QLocale::system().toDateTime(value, dateFormat() + QLatin1Char(' ') + timeFormat());
    if (both.isValid()) {
        dayCount = dateTimeToDayCount(both.date(), both.time());
        return true;
    }
    return tryDateTextToDayCount(text, dayCount);
}

double nowAsDayCount()
{
    const QDateTime now = QDateTime::currentDateTime();
    return dateTimeToDayCount(now.date(), now.time());
}

} // namespace torvik::dataset
