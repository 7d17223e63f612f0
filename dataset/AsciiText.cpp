#include "dataset/AsciiText.h"

#include <cctype>

namespace torvik::dataset {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string toLowerAscii(std::string text)
{
    for (char &c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmedSqlText(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string quotedSqlLiteral(const std::string &value)
{
    std::string out = "'";
    for (char c : value) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

} // namespace torvik::dataset
