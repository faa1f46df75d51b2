// The criterion rows of the level grid (part D): the rows a new sheet starts with, the rebuild from
// the chosen criteria, the level names and the level chooser.
#pragma once

#include "AppraisalRecord.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace taviro {

// Eleven chosen criteria and one additional criterion.
inline constexpr std::size_t kMostCriterionRows = 12;

// The items of the level chooser; item n sets level n, item 0 sets nothing.
inline constexpr std::array<std::string_view, kHighestLevel + 1> kLevelChooserItems = {
    "Wybierz ?", "Niezadowalający", "Zadowalający", "Dobry", "Bardzo dobry"};

// The six rows of a new sheet, each without a level: "Sumienność", "Sprawność", "Bezstronność",
// "Umiejętność stosowania odpowiednich przepisów", "Planowanie i organizowanie pracy",
// "Postawa etyczna". A stored sheet without rows opens with them too.
std::vector<CriterionRow> defaultCriterionRows();

// The rows after the criteria changed: one per chosen criterion in order, then the additional
// criterion, trimmed, when it is not empty; every level none. Both empty give no rows at all.
// The editor calls this only while its criteria-changed flag is set, so moving between pages
// without a change keeps the levels given.
std::vector<CriterionRow> rebuiltCriterionRows(const std::vector<std::string>& criteria,
                                               std::string_view additionalCriterion);

// What the grid's level column shows: the level's name, nothing for 0 (and for anything else).
std::string_view levelName(int level);

// The level chooser picked `item` for the row: items 1 to 4 set that level; item 0 ("Wybierz ?")
// leaves a level given before in place. False when nothing changed (item 0, or no such row).
bool chooseRowLevel(std::vector<CriterionRow>& rows, std::size_t row, int item);

} // namespace taviro
