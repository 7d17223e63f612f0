#pragma once

// The filter texts of the database window's searches. The searched text is
// always written as a single-quoted SQL string literal, so that no quote,
// semicolon or column name in it can change what the condition means.

#include <string>

namespace torvik::dbwindow {

// The column a page's name search compares, spelt as each form writes it.
struct NameSearchColumns {
    const char *exact;
    const char *partial;
};

inline constexpr NameSearchColumns kItemNameColumns{"Name", "Name"};
inline constexpr NameSearchColumns kMonsterNameColumns{"Name", "Name"};
inline constexpr NameSearchColumns kSkillNameColumns{"magname", "Magname"};

// Exact: the whole value, letter case significant (column='T').
// Partial: T anywhere in the value, letter case significant (Pos(column,'T')>0).
// text: the searched text as GBK bytes, as typed.
std::string nameSearchFilter(const NameSearchColumns &columns, const std::string &text, bool exact);

// The items of one category: StdMode=<code>.
std::string categoryFilter(const std::string &code);

} // namespace torvik::dbwindow
