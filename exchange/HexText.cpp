#include "exchange/HexText.h"

#include "text/HexDigits.h"

namespace torvik::exchange {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

} // namespace

void appendHex(std::string &out, std::string_view bytes)
{
    const size_t start = out.size();
    out.resize(start + 2 * bytes.size());
    char *p = out.data() + start;
    for (const char b : bytes) {
        const auto v = static_cast<unsigned char>(b);
        *p++ = kDigits[v >> 4];
        *p++ = kDigits[v & 0x0F];
    }
}

std::string toHex(std::string_view bytes)
{
    std::string out;
    appendHex(out, bytes);
    return out;
}

std::optional<std::string> fromHex(std::string_view text)
{
    std::string bytes(text.size() / 2, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int high = torvik::text::hexDigitValue(text[2 * i]);
        const int low = torvik::text::hexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = char(high << 4 | low);
    }
    return bytes;
}

} // namespace torvik::exchange
