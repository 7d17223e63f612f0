#include "exchange/HexText.h"

namespace torvik::exchange {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

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
        const int high = digitValue(text[2 * i]);
        const int low = digitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = char(high << 4 | low);
    }
    return bytes;
}

} // namespace torvik::exchange
