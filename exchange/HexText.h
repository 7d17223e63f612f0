#pragma once

// Blob values in the exchanged text: two uppercase hexadecimal digits per
// byte, first byte first.

#include <optional>
#include <string>
#include <string_view>

namespace torvik::exchange {

// Appends the hexadecimal form of the bytes to out.
void appendHex(std::string &out, std::string_view bytes);
std::string toHex(std::string_view bytes);

// The bytes of a hexadecimal text: a text shorter than two characters gives
// no bytes, an odd last character is ignored, either letter case is read.
// None when a pair holds a character outside the hexadecimal digits.
std::optional<std::string> fromHex(std::string_view text);

} // namespace torvik::exchange
