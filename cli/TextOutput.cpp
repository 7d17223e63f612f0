#include "cli/TextOutput.h"

#include "text/Gbk.h"

namespace torvik::cli {

namespace {

void appendEscaped(std::string &out, unsigned char byte)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

bool isLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool isTrail(unsigned char b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Only ASCII, the euro sign's single byte 0x80 and lead-trail pairs make
// GBK characters; the converter also maps some other single bytes (to
// private-use characters), which are no text.
bool isGbkShaped(std::string_view gbk)
{
    for (size_t i = 0; i < gbk.size(); ++i) {
        const auto b = static_cast<unsigned char>(gbk[i]);
        if (b <= 0x80)
            continue;
        if (!isLead(b) || i + 1 >= gbk.size() || !isTrail(static_cast<unsigned char>(gbk[i + 1])))
            return false;
        ++i;
    }
    return true;
}

} // namespace

std::string printableUtf8(std::string_view gbk)
{
    if (isGbkShaped(gbk))
        if (const std::optional<QString> whole = text::fromGbkExact(gbk))
            return whole->toStdString();
    // Character by character: a pair that is a GBK character, a single byte
    // that is one, or an escape.
    std::string out;
    for (size_t i = 0; i < gbk.size();) {
        const auto b = static_cast<unsigned char>(gbk[i]);
        if (b < 0x80) {
            out += char(b);
            ++i;
            continue;
        }
        if (isLead(b) && i + 1 < gbk.size() && isTrail(static_cast<unsigned char>(gbk[i + 1]))) {
            if (const std::optional<QString> pair = text::fromGbkExact(gbk.substr(i, 2))) {
                out += pair->toStdString();
                i += 2;
                continue;
            }
        }
        const std::optional<QString> single = b == 0x80 ? text::fromGbkExact(gbk.substr(i, 1)) : std::nullopt;
        if (single)
            out += single->toStdString();
        else
            appendEscaped(out, b);
        ++i;
    }
    return out;
}

} // namespace torvik::cli
