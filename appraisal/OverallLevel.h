// The overall level of part D: the proposal of "Oblicz" from the levels of the criterion rows, the
// captions of the four overall levels and the grade that follows from the chosen one.
#pragma once

#include "AppraisalRecord.h"

#include <optional>
#include <span>
#include <string_view>

namespace taviro {

// The proposal: with s the sum of level × 10 over every row (a row without a level adds nothing
// but still counts) and q = s / rows, truncated, 4 for q ≥ 35, 3 for 27 … 34, 2 for 18 … 26 and 1
// below. The user may still choose another level; the stored one is whichever is chosen.
//
// Without any row there is nothing to divide by: there is no proposal, and the page keeps the
// overall level it shows (none, or what the user chose). Proposing "Niezadowalającym" for a
// sheet that has no criterion at all would judge criteria that were never set.
std::optional<int> proposedOverallLevel(std::span<const CriterionRow> rows);

// "Bardzo dobrym" (4), "Dobrym" (3), "Zadowalającym" (2), "Niezadowalającym" (1); nothing otherwise.
std::string_view overallLevelCaption(int overallLevel);

// The grade of the overall level: "Pozytywną" for 2 to 4, "Negatywną" for 1, nothing for none.
std::string_view gradeWord(int overallLevel);

} // namespace taviro
