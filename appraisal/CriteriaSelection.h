// The list of chosen criteria of the open sheet, as the criteria choice page builds it: entries in the
// order of adding, at most eleven, never one number twice. What the sheet keeps of it is the list of
// names (Appraisal::criteria); the numbers live only here.
#pragma once

#include "CriteriaCatalogue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

inline constexpr std::size_t kMostChosenCriteria = 11;

struct ChosenCriterion
{
    std::string name;
    int number = 0; // the catalogue number, or kCriterionCount and above for a name the catalogue lacks
    bool operator==(const ChosenCriterion&) const = default;
};

enum class AddOutcome
{
    Added,         // appended at the end: the page selects the new last entry
    AlreadyChosen, // nothing changed; the page shows alreadyChosenText()
    ListFull,      // nothing changed (the add button is disabled by then, see canAdd)
};

class CriteriaSelection
{
public:
    CriteriaSelection() = default;

    // The choice as a stored sheet left it: its page B list of names, in order. A name of the
    // catalogue carries its number; a name the catalogue lacks (a criterion renamed since, or one
    // typed into the file) keeps its place with a number of its own above the catalogue's, so it
    // can be removed but never matches a catalogue criterion. A name seen before, and anything past
    // the eleventh, is left out: the list never holds one criterion twice or more than eleven.
    // Starting here whenever a sheet is opened means that going back to page B without a change
    // gives page B the list it had.
    static CriteriaSelection fromNames(const std::vector<std::string>& names);

    const std::vector<ChosenCriterion>& entries() const { return m_entries; }
    // The names in order: what page B's list becomes on the way back.
    std::vector<std::string> names() const;

    // Whether one more criterion may be added: at most ten chosen so far, so the eleventh addition
    // is the last. The add button is enabled when this holds and a criterion is selected.
    bool canAdd() const { return m_entries.size() < kMostChosenCriteria; }
    AddOutcome add(const Criterion& criterion);
    // Removes the entry at that position; false (nothing changes) when there is none.
    bool remove(std::size_t position);

private:
    bool holds(int number) const;

    std::vector<ChosenCriterion> m_entries;
};

// "Wybrane kryterium juz znajduje się na liście."
std::string_view alreadyChosenText();

// Where the selection of the criteria list goes after an addition from position i: one up, to
// i − 1, or staying at 0.
std::size_t criteriaListSelectionAfterAdd(std::size_t position);

// Which entry of the chosen list is selected after the entry at position j was removed and
// `remaining` entries are left: j − 1, or 0 when j was the first; nothing when the list is empty.
std::optional<std::size_t> chosenSelectionAfterRemove(std::size_t position, std::size_t remaining);

} // namespace taviro
