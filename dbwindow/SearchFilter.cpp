#include "dbwindow/SearchFilter.h"

#include "dataset/AsciiText.h"

namespace torvik::dbwindow {

std::string nameSearchFilter(const NameSearchColumns &columns, const std::string &text, bool exact)
{
    const std::string literal = dataset::quotedSqlLiteral(text);
    if (exact)
        return std::string(columns.exact) + "=" + literal;
    return "Pos(" + std::string(columns.partial) + "," + literal + ")>0";
}

std::string categoryFilter(const std::string &code)
{
    return "StdMode=" + code;
}

} // namespace torvik::dbwindow
