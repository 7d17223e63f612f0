#pragma once

// Byte-wise helpers for names, keywords and SQL literals in the stored 8-bit
// text: only ASCII letters change case, so GBK bytes pass through untouched.

#include <string>
#include <string_view>

namespace torvik::dataset {

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string toLowerAscii(std::string text);

// Without the blanks and line breaks around it.
std::string trimmedSqlText(const std::string &text);

// A single-quoted SQL string literal, inner quotes doubled.
std::string quotedSqlLiteral(const std::string &value);

} // namespace torvik::dataset
