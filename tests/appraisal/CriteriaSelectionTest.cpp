// The choice of criteria: no criterion twice, at most eleven, and a start from a stored sheet.
#include "CriteriaSelection.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace taviro;

namespace {

const Criterion& inGroup(std::string_view groupName, std::string_view criterionName)
{
    for (const CriteriaGroup& group : criteriaGroups()) {
        if (group.name != groupName)
            continue;
        for (const int number : group.members) {
            if (criteria()[static_cast<std::size_t>(number)].name == criterionName)
                return criteria()[static_cast<std::size_t>(number)];
        }
    }
    throw std::logic_error("not in the group");
}

} // namespace

TEST(CriteriaSelection, ACriterionOfTwoGroupsIsChosenOnce)
{
    CriteriaSelection selection;

    EXPECT_EQ(selection.add(inGroup("Ustawowe", "Sumienność")), AddOutcome::Added);
    EXPECT_EQ(selection.add(inGroup("Osobowe", "Sumienność")), AddOutcome::AlreadyChosen);
    EXPECT_EQ(selection.names(), std::vector<std::string>{"Sumienność"});
    EXPECT_EQ(alreadyChosenText(), "Wybrane kryterium juz znajduje się na liście.");
}

TEST(CriteriaSelection, TheEleventhAdditionIsTheLastUntilOneIsRemoved)
{
    CriteriaSelection selection;
    for (int number = 0; number < 10; ++number)
        ASSERT_EQ(selection.add(criteria()[static_cast<std::size_t>(number)]), AddOutcome::Added);
    EXPECT_TRUE(selection.canAdd());

    EXPECT_EQ(selection.add(criteria()[10]), AddOutcome::Added);
    EXPECT_FALSE(selection.canAdd());
    EXPECT_EQ(selection.add(criteria()[11]), AddOutcome::ListFull);

    EXPECT_TRUE(selection.remove(0));
    EXPECT_FALSE(selection.remove(10));
    EXPECT_TRUE(selection.canAdd());
    EXPECT_EQ(selection.entries().front().number, 1);
}

TEST(CriteriaSelection, StartsFromStoredNamesKeepingTheirOrderAndNumbers)
{
    const std::vector<std::string> stored = {"Inicjatywa", "Rzetelność kasowa", "Sumienność", "Inicjatywa"};

    CriteriaSelection selection = CriteriaSelection::fromNames(stored);

    ASSERT_EQ(selection.entries().size(), 3u);
    EXPECT_EQ(selection.entries()[0], (ChosenCriterion{"Inicjatywa", 23}));
    EXPECT_EQ(selection.entries()[2], (ChosenCriterion{"Sumienność", 25}));
    EXPECT_EQ(selection.entries()[1].name, "Rzetelność kasowa");
    EXPECT_GE(selection.entries()[1].number, kCriterionCount);
    EXPECT_EQ(selection.names(), (std::vector<std::string>{"Inicjatywa", "Rzetelność kasowa", "Sumienność"}));
    EXPECT_EQ(selection.add(*findCriterion("Sumienność")), AddOutcome::AlreadyChosen);
    EXPECT_EQ(selection.add(criteria()[0]), AddOutcome::Added);
}

TEST(CriteriaSelection, SelectionsMoveOneUpAfterAnAdditionAndARemoval)
{
    EXPECT_EQ(criteriaListSelectionAfterAdd(0), 0u);
    EXPECT_EQ(criteriaListSelectionAfterAdd(3), 2u);
    EXPECT_EQ(chosenSelectionAfterRemove(0, 2), 0u);
    EXPECT_EQ(chosenSelectionAfterRemove(2, 2), 1u);
    EXPECT_EQ(chosenSelectionAfterRemove(0, 0), std::nullopt);
}
