// The level grid of part D and the overall level proposed from it.
#include "CriterionRows.h"
#include "OverallLevel.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace taviro;

namespace {

std::vector<CriterionRow> rowsWithLevels(std::initializer_list<int> levels)
{
    std::vector<CriterionRow> rows;
    for (const int level : levels)
        rows.push_back({"Kryterium " + std::to_string(rows.size() + 1), level});
    return rows;
}

std::vector<int> levelsOf(const std::vector<CriterionRow>& rows)
{
    std::vector<int> levels;
    for (const CriterionRow& row : rows)
        levels.push_back(row.level);
    return levels;
}

} // namespace

TEST(OverallLevel, ProposesTheTruncatedAverageAgainstTheThresholds)
{
    struct Case
    {
        std::vector<CriterionRow> rows;
        std::optional<int> proposal;
    };
    const Case cases[] = {
        {rowsWithLevels({4, 4, 3, 3, 3, 4}), 4},             // 210 / 6 = 35
        {rowsWithLevels({3, 3, 2}), 2},                      // 80 / 3 = 26
        {rowsWithLevels({2, 2, 1, 2}), 1},                   // 70 / 4 = 17
        {rowsWithLevels({4, 4, 4, 4, 4, 0}), 3},             // a row without a level counts: 200 / 6 = 33
        {rowsWithLevels({3, 3, 3, 3, 3, 3, 3, 3, 3, 0}), 3}, // 270 / 10 = 27
        {rowsWithLevels({2, 2, 2, 2, 2, 2, 2, 2, 2, 0}), 2}, // 180 / 10 = 18
        {{}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(proposedOverallLevel(c.rows), c.proposal) << ::testing::PrintToString(levelsOf(c.rows));
}

TEST(OverallLevel, NamesTheLevelsAndTheirGrade)
{
    const std::string_view captions[] = {"", "Niezadowalającym", "Zadowalającym", "Dobrym", "Bardzo dobrym"};
    const std::string_view grades[] = {"", "Negatywną", "Pozytywną", "Pozytywną", "Pozytywną"};
    for (int level = 0; level <= kHighestLevel; ++level) {
        EXPECT_EQ(overallLevelCaption(level), captions[level]);
        EXPECT_EQ(gradeWord(level), grades[level]);
    }
}

TEST(LevelGrid, NewGridHoldsTheSixDefaultRowsWithoutLevels)
{
    const std::vector<CriterionRow> expected = {{"Sumienność", 0},
                                                {"Sprawność", 0},
                                                {"Bezstronność", 0},
                                                {"Umiejętność stosowania odpowiednich przepisów", 0},
                                                {"Planowanie i organizowanie pracy", 0},
                                                {"Postawa etyczna", 0}};
    EXPECT_EQ(defaultCriterionRows(), expected);
}

TEST(LevelGrid, RebuildGivesOneRowPerCriterionThenTheTrimmedAdditionalOneAllWithoutLevels)
{
    const std::vector<std::string> chosen = {"Sumienność", "Inicjatywa"};

    EXPECT_EQ(rebuiltCriterionRows(chosen, "  Obsługa kasy "),
              (std::vector<CriterionRow>{{"Sumienność", 0}, {"Inicjatywa", 0}, {"Obsługa kasy", 0}}));
    EXPECT_EQ(rebuiltCriterionRows(chosen, " \t"), (std::vector<CriterionRow>{{"Sumienność", 0}, {"Inicjatywa", 0}}));
    EXPECT_TRUE(rebuiltCriterionRows({}, "").empty());
}

TEST(LevelGrid, ChooserSetsALevelButItsFirstItemLeavesTheGivenOne)
{
    std::vector<CriterionRow> rows = rowsWithLevels({0, 0});

    EXPECT_TRUE(chooseRowLevel(rows, 1, 3));
    EXPECT_FALSE(chooseRowLevel(rows, 1, 0));
    EXPECT_FALSE(chooseRowLevel(rows, 2, 4));
    EXPECT_EQ(levelsOf(rows), (std::vector<int>{0, 3}));
    EXPECT_EQ(levelName(rows[1].level), "Dobry");
    EXPECT_EQ(levelName(0), "");
    EXPECT_EQ(kLevelChooserItems[0], "Wybierz ?");
}
