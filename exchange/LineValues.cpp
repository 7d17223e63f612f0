#include "exchange/LineValues.h"

namespace torvik::exchange {

std::string_view LineValues::next()
{
    if (position_ >= line_.size())
        return {};
    const size_t found = line_.find(separator_, position_);
    const size_t end = found == std::string_view::npos ? line_.size() : found;
    const std::string_view value = line_.substr(position_, end - position_);
    // At the end when no separator follows, so what comes after reads as empty.
    position_ = found == std::string_view::npos ? line_.size() : found + 1;
    return value;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace torvik::exchange
