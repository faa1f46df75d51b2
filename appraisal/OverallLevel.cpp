#include "OverallLevel.h"

#include <array>

namespace taviro {

std::optional<int> proposedOverallLevel(std::span<const CriterionRow> rows)
{
    if (rows.empty())
        return std::nullopt;
    long long sum = 0;
    for (const CriterionRow& row : rows)
        sum += row.level * 10LL;
    const long long average = sum / static_cast<long long>(rows.size());
    if (average >= 35)
        return 4;
    if (average >= 27)
        return 3;
    if (average >= 18)
        return 2;
    return 1;
}

std::string_view overallLevelCaption(int overallLevel)
{
    static constexpr std::array<std::string_view, kHighestLevel + 1> kCaptions = {
        "", "Niezadowalającym", "Zadowalającym", "Dobrym", "Bardzo dobrym"};
    if (overallLevel < 1 || overallLevel > kHighestLevel)
        return {};
    return kCaptions[static_cast<std::size_t>(overallLevel)];
}

std::string_view gradeWord(int overallLevel)
{
    if (overallLevel == 1)
        return "Negatywną";
    if (overallLevel >= 2 && overallLevel <= kHighestLevel)
        return "Pozytywną";
    return {};
}

} // namespace taviro
