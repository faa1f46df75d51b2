// The fixed catalogue of appraisal criteria: 34 criteria, each with its number, the name that the
// lists show and the sheet stores, and a description, arranged in five groups. It lives in the
// program; no file holds it.
#pragma once

#include <span>
#include <string_view>

namespace taviro {

inline constexpr int kCriterionCount = 34;

struct Criterion
{
    int number = 0;               // 0 … 33, the key of the catalogue
    std::string_view name;        // as shown and stored
    std::string_view description; // lines joined by CR LF, the last one without a line end
};

// A criterion that belongs to two groups is one criterion: the same number, name and description
// in both.
struct CriteriaGroup
{
    std::string_view name;
    std::string_view description;
    std::span<const int> members; // catalogue numbers in display order
};

// The 34 criteria, ordered by number (criteria()[n].number == n).
std::span<const Criterion> criteria();

// "Ustawowe", "Kwalifikacyjne", "Efektywnościowe", "Osobowe", "Zarządcze", in this order.
std::span<const CriteriaGroup> criteriaGroups();

// The criterion of that number, nothing outside 0 … 33.
const Criterion* criterionByNumber(int number);

// The criterion of exactly that name (no trimming, letter case counts); nothing for any other text.
const Criterion* findCriterion(std::string_view name);

} // namespace taviro
