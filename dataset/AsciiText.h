#pragma once

// Byte-wise helpers for names, keywords and SQL literals in the stored 8-bit
// text: only ASCII letters change case, so GBK bytes pass through untouched.

#include <string>
#include <string_view>
#include <vector>

namespace torvik::dataset {

// The <cctype> functions follow the process locale, where a Latin-1 locale
// folds GBK bytes as letters; these know only ASCII.
constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
constexpr char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}
constexpr bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Whether `prefix`, ignoring ASCII case, begins `text`.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
std::string toLowerAscii(std::string text);

// Without the blanks and line breaks around it.
std::string trimmedSqlText(const std::string &text);

// The parts of a ";"-separated list, each without the blanks and line breaks
// around it; empty parts name nothing and are left out.
std::vector<std::string> splitList(const std::string &list);

// A single-quoted SQL string literal, inner quotes doubled.
std::string quotedSqlLiteral(const std::string &value);

} // namespace torvik::dataset
