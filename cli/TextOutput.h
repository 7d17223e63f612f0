#pragma once

// Stored texts for a UTF-8 terminal: GBK decoded to UTF-8, and every byte
// that is not part of a valid GBK character written as \xNN (two uppercase
// hexadecimal digits), so that nothing is dropped or replaced.

#include <string>
#include <string_view>

namespace torvik::cli {

std::string printableUtf8(std::string_view gbk);

} // namespace torvik::cli
