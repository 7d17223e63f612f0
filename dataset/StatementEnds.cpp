#include "dataset/StatementEnds.h"

namespace torvik::dataset {

namespace {

// The position just past a quoted token that opens at `at`; a doubled closing
// quote stays inside it (not so for […], which has no escape).
size_t pastQuoted(std::string_view sql, size_t at, char close)
{
    const bool doubles = close != ']';
    for (size_t i = at + 1; i < sql.size(); ++i) {
        if (sql[i] != close)
            continue;
        if (doubles && i + 1 < sql.size() && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return sql.size(); // unterminated: the rest of the text belongs to it
}

size_t pastComment(std::string_view sql, size_t at)
{
    if (sql[at] == '-') {
        const size_t end = sql.find('\n', at + 2);
        return end == std::string_view::npos ? sql.size() : end + 1;
    }
    const size_t end = sql.find("*/", at + 2);
    return end == std::string_view::npos ? sql.size() : end + 2;
}

} // namespace

int countStatementEnds(std::string_view sql, int atMost)
{
    int ends = 0;
    size_t i = 0;
    while (i < sql.size() && ends < atMost) {
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        switch (c) {
        case '\'':
        case '"':
        case '`': i = pastQuoted(sql, i, c); break;
        case '[': i = pastQuoted(sql, i, ']'); break;
        case '-':
        case '/':
            if ((c == '-' && next == '-') || (c == '/' && next == '*'))
                i = pastComment(sql, i);
            else
                ++i;
            break;
        case ';':
            ++ends;
            ++i;
            break;
        default: ++i; break;
        }
    }
    return ends;
}

} // namespace torvik::dataset
