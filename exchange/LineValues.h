#pragma once

// The values of one line of exchanged text, read one after another: each up
// to the next separator, nothing trimmed and nothing quoted. Consecutive
// separators give empty values, a separator at the end an empty last value,
// and reading past the last value gives empty values.

#include <string_view>
#include <vector>

namespace torvik::exchange {

class LineValues {
public:
    LineValues(std::string_view line, char separator) : line_(line), separator_(separator) {}

    std::string_view next();

private:
    std::string_view line_;
    char separator_;
    size_t position_ = 0; // counted from 0; line_.size() and beyond: at the end
};

// The lines of a text, split at CR LF, LF or a lone CR. A line break at the
// very end does not start another line.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace torvik::exchange
