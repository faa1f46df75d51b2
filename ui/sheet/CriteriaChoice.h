// The choice of criteria on page B1: the groups of the catalogue, the criteria of the chosen group
// with their descriptions, and the list of chosen criteria that page B takes over on the way back.
#pragma once

#include "CriteriaSelection.h"

#include <functional>
#include <string>
#include <vector>

namespace taviro::widgets {
class MessageDialogs;
}

namespace taviro::ui {

class GradeB1Page;

class CriteriaChoice
{
public:
    // criteriaChanged: called whenever a criterion is added or removed.
    CriteriaChoice(GradeB1Page& page, widgets::MessageDialogs& dialogs, std::function<void()> criteriaChanged);

    // A sheet was opened: the groups, nothing selected, the chosen list from page B's names.
    void reset(const std::vector<std::string>& pageBCriteria);
    // Page B's list as the choice stands.
    std::vector<std::string> chosenNames() const { return m_selection.names(); }
    // Page B1 was shown: its buttons follow what is selected.
    void updateButtons();

private:
    void showGroup(int row);
    void showDescription(int row);
    void add();
    void remove();
    void showChosen();

    GradeB1Page& m_page;
    widgets::MessageDialogs& m_dialogs;
    std::function<void()> m_criteriaChanged;
    CriteriaSelection m_selection;
};

} // namespace taviro::ui
