#include "CriteriaSelection.h"

#include <algorithm>

namespace taviro {

CriteriaSelection CriteriaSelection::fromNames(const std::vector<std::string>& names)
{
    CriteriaSelection selection;
    for (std::size_t i = 0; i < names.size() && selection.canAdd(); ++i) {
        const Criterion* criterion = findCriterion(names[i]);
        // The stored position gives a name the catalogue lacks its number: distinct for every
        // position, and above every catalogue number.
        const int number = criterion ? criterion->number : kCriterionCount + static_cast<int>(i);
        if (!selection.holds(number))
            selection.m_entries.push_back({names[i], number});
    }
    return selection;
}

std::vector<std::string> CriteriaSelection::names() const
{
    std::vector<std::string> names;
    names.reserve(m_entries.size());
    for (const ChosenCriterion& entry : m_entries)
        names.push_back(entry.name);
    return names;
}

AddOutcome CriteriaSelection::add(const Criterion& criterion)
{
    if (holds(criterion.number))
        return AddOutcome::AlreadyChosen;
    if (!canAdd())
        return AddOutcome::ListFull;
    m_entries.push_back({std::string(criterion.name), criterion.number});
    return AddOutcome::Added;
}

bool CriteriaSelection::remove(std::size_t position)
{
    if (position >= m_entries.size())
        return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

bool CriteriaSelection::holds(int number) const
{
    return std::ranges::any_of(m_entries, [number](const ChosenCriterion& entry) { return entry.number == number; });
}

std::string_view alreadyChosenText()
{
    return "Wybrane kryterium juz znajduje się na liście.";
}

std::size_t criteriaListSelectionAfterAdd(std::size_t position)
{
    return position > 0 ? position - 1 : 0;
}

std::optional<std::size_t> chosenSelectionAfterRemove(std::size_t position, std::size_t remaining)
{
    if (remaining == 0)
        return std::nullopt;
    return std::min(position > 0 ? position - 1 : 0, remaining - 1);
}

} // namespace taviro
