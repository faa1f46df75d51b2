#include "CriteriaChoice.h"

#include "pages/sheet/GradeB1Page.h"

#include "MessageDialogs.h"

#include <QListWidget>

namespace taviro::ui {

CriteriaChoice::CriteriaChoice(GradeB1Page& page, widgets::MessageDialogs& dialogs,
                               std::function<void()> criteriaChanged)
    : m_page(page), m_dialogs(dialogs), m_criteriaChanged(std::move(criteriaChanged))
{
    QObject::connect(&m_page, &GradeB1Page::groupChosen, &m_page, [this](int row) {
        showGroup(row);
        updateButtons();
    });
    QObject::connect(&m_page, &GradeB1Page::criterionChosen, &m_page, [this](int row) {
        showDescription(row);
        updateButtons();
    });
    QObject::connect(&m_page, &GradeB1Page::chosenEntryChosen, &m_page, [this] { updateButtons(); });
    QObject::connect(&m_page, &GradeB1Page::addRequested, &m_page, [this] { add(); });
    QObject::connect(&m_page, &GradeB1Page::deleteRequested, &m_page, [this] { remove(); });
}

void CriteriaChoice::reset(const std::vector<std::string>& pageBCriteria)
{
    std::vector<std::string> groups;
    for (const CriteriaGroup& group : criteriaGroups())
        groups.emplace_back(group.name);
    m_page.setGroups(groups);
    m_page.setCriteria({});
    m_page.setDescription({});
    // The choice starts from what page B holds, so that going back without a change keeps it.
    m_selection = CriteriaSelection::fromNames(pageBCriteria);
    showChosen();
    GradeB1Page::select(m_page.chosenList(), -1);
    updateButtons();
}

void CriteriaChoice::showGroup(int row)
{
    const auto groups = criteriaGroups();
    if (row < 0 || row >= static_cast<int>(groups.size()))
        return;
    const CriteriaGroup& group = groups[static_cast<std::size_t>(row)];
    m_page.setDescription(std::string(group.description));
    std::vector<CriterionEntry> members;
    for (const int number : group.members)
        members.push_back({std::string(criterionByNumber(number)->name), number});
    m_page.setCriteria(members);
    GradeB1Page::select(m_page.criteriaList(), -1);
}

void CriteriaChoice::showDescription(int row)
{
    if (row < 0)
        return; // nothing selected: the description stays
    if (const Criterion* criterion = criterionByNumber(m_page.selectedCriterion()))
        m_page.setDescription(std::string(criterion->description));
}

void CriteriaChoice::showChosen()
{
    std::vector<CriterionEntry> chosen;
    for (const ChosenCriterion& entry : m_selection.entries())
        chosen.push_back({entry.name, entry.number});
    m_page.setChosen(chosen);
}

void CriteriaChoice::updateButtons()
{
    const bool criterionSelected = GradeB1Page::selectedRow(m_page.criteriaList()) >= 0;
    const bool chosenSelected = GradeB1Page::selectedRow(m_page.chosenList()) >= 0;
    m_page.setButtonsEnabled(criterionSelected && m_selection.canAdd(), chosenSelected);
}

void CriteriaChoice::add()
{
    const int row = GradeB1Page::selectedRow(m_page.criteriaList());
    const Criterion* criterion = criterionByNumber(m_page.selectedCriterion());
    if (row < 0 || !criterion)
        return;
    switch (m_selection.add(*criterion)) {
    case AddOutcome::AlreadyChosen:
        m_dialogs.showInformation(
            QString::fromUtf8(alreadyChosenText().data(), static_cast<qsizetype>(alreadyChosenText().size())));
        return;
    case AddOutcome::ListFull:
        return;
    case AddOutcome::Added:
        break;
    }
    showChosen();
    GradeB1Page::select(m_page.chosenList(), static_cast<int>(m_selection.entries().size()) - 1);
    // The selection of the criteria list moves one up; the description is not refreshed by it.
    GradeB1Page::select(m_page.criteriaList(),
                        static_cast<int>(criteriaListSelectionAfterAdd(static_cast<std::size_t>(row))));
    m_criteriaChanged();
    updateButtons();
    m_page.groupList()->setFocus();
}

void CriteriaChoice::remove()
{
    const int row = GradeB1Page::selectedRow(m_page.chosenList());
    if (row < 0 || !m_selection.remove(static_cast<std::size_t>(row)))
        return;
    showChosen();
    const auto next = chosenSelectionAfterRemove(static_cast<std::size_t>(row), m_selection.entries().size());
    GradeB1Page::select(m_page.chosenList(), next ? static_cast<int>(*next) : -1);
    m_criteriaChanged();
    updateButtons();
    m_page.criteriaList()->setFocus();
}

} // namespace taviro::ui
