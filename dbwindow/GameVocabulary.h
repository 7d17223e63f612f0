#pragma once

// The Chinese vocabulary of the game data: the item categories that the items
// page offers as a filter, and the column labels of the five pages. Fixed at
// build time. The texts are Unicode here; they meet stored (GBK) data only
// where a category code is compared with a stored value.

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace torvik::dbwindow {

struct TItemCheck {
    const char16_t *Caption; // shown to the user
    std::uint16_t Code;      // the value stored in StdMode
};

extern const std::array<TItemCheck, 81> StdModeList;

extern const std::array<const char16_t *, 39> StdItemsLabels;
extern const std::array<const char16_t *, 34> MonsterLabels;
extern const std::array<const char16_t *, 23> MagicLabels;
extern const std::array<const char16_t *, 20> EvilLabels;
extern const std::array<const char16_t *, 11> TaoistPetLabels;

// The label list of a page of the database window (0 items ... 4 pets); an
// empty span for any other index.
std::span<const char16_t *const> columnLabelsOfPage(int page);

// One entry of the category filter: "5-武器1" shown, "5" kept.
QString categoryEntryText(const TItemCheck &item);
QString categoryEntryValue(const TItemCheck &item);

} // namespace torvik::dbwindow
