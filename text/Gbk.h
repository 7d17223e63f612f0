#pragma once

// The one place where stored 8-bit GBK text (code page 936) meets Unicode.
// The data layer keeps every text as the bytes it was stored with; widgets,
// the clipboard and dialogs work in QString. Conversion happens only at that
// border, through these functions.

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace torvik::text {

// Raised when a text holds a character that GBK cannot represent. Nothing is
// ever replaced by "?": the caller refuses the input instead.
class GbkEncodingError : public std::runtime_error {
public:
    GbkEncodingError(const QString &message, QString offending);
    const QString &message() const { return message_; }
    // The first character GBK cannot hold.
    const QString &offending() const { return offending_; }

private:
    QString message_;
    QString offending_;
};

// GBK bytes to Unicode. Byte sequences that are not valid GBK decode to
// U+FFFD, so a damaged stored value still shows.
QString fromGbk(std::string_view gbk);

// Unicode to GBK bytes; throws GbkEncodingError for an unrepresentable character.
std::string toGbk(const QString &text);

// True when every character of the text has a GBK form; otherwise false and,
// if asked, the first offending character.
bool isGbkEncodable(const QString &text, QString *offending = nullptr);

// GBK bytes to Unicode only when every byte sequence is valid GBK that
// encodes back to the same bytes; none otherwise. For text that must cross
// into Unicode and back unaltered.
std::optional<QString> fromGbkExact(std::string_view gbk);

// True when fromGbkExact would answer a text: every byte sequence is GBK
// that maps to Unicode and back unaltered. Checked byte by byte against a
// table made once, for scans over whole files.
bool isExactGbk(std::string_view gbk);

// Encodes many texts with one pair of converters, for loops over many lines.
// The same rule as toGbk: a character GBK cannot hold is never replaced.
class GbkBatchEncoder {
public:
    GbkBatchEncoder();
    // The GBK bytes of the text into out; false (out unspecified) when a
    // character has no GBK form.
    bool encode(QStringView text, std::string &out);

private:
    QStringEncoder encoder_;
    QStringDecoder decoder_;
};

// Conversions for the connection's UTF-8 mode.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

} // namespace torvik::text
