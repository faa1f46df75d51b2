#include "CriterionRows.h"

#include "TextCodec.h"

namespace taviro {

std::vector<CriterionRow> defaultCriterionRows()
{
    return {{"Sumienność", 0},
            {"Sprawność", 0},
            {"Bezstronność", 0},
            {"Umiejętność stosowania odpowiednich przepisów", 0},
            {"Planowanie i organizowanie pracy", 0},
            {"Postawa etyczna", 0}};
}

std::vector<CriterionRow> rebuiltCriterionRows(const std::vector<std::string>& criteria,
                                               std::string_view additionalCriterion)
{
    std::vector<CriterionRow> rows;
    rows.reserve(criteria.size() + 1);
    for (const std::string& name : criteria)
        rows.push_back({name, 0});
    if (std::string additional = trimmed(additionalCriterion); !additional.empty())
        rows.push_back({std::move(additional), 0});
    return rows;
}

std::string_view levelName(int level)
{
    if (level < 1 || level > kHighestLevel)
        return {};
    return kLevelChooserItems[static_cast<std::size_t>(level)];
}

bool chooseRowLevel(std::vector<CriterionRow>& rows, std::size_t row, int item)
{
    if (item < 1 || item > kHighestLevel || row >= rows.size() || rows[row].level == item)
        return false;
    rows[row].level = item;
    return true;
}

} // namespace taviro
