// The choice of the criteria: the employee's duties for reference, the groups of the catalogue, the
// criteria of the chosen group with their descriptions, and the list of the chosen criteria. What
// the lists hold and which buttons work is the controller's: the page shows what it is given and
// reports what the user does.
#pragma once

#include "SheetPage.h"

#include <QListWidget>

#include <array>
#include <string>
#include <vector>

namespace taviro::ui {

// A criterion in a list of the page: its name and its catalogue number.
struct CriterionEntry
{
    std::string name;
    int number = 0;
    bool operator==(const CriterionEntry&) const = default;
};

class GradeB1Page : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeB1Page(QWidget* parent = nullptr);

    // The current-duties box TaviroGradeB1Memo1.
    QWidget* firstField() const override;
    QListWidget* groupList() const { return m_lists[0]; }
    QListWidget* criteriaList() const { return m_lists[1]; }
    QListWidget* chosenList() const { return m_lists[2]; }

    // Texts with CR LF line breaks, shown read-only.
    void setDuties(const std::string& current, const std::string& additional);
    void setDescription(const std::string& description);
    void setGroups(const std::vector<std::string>& names);
    void setCriteria(const std::vector<CriterionEntry>& criteria);
    void setChosen(const std::vector<CriterionEntry>& chosen);
    std::vector<CriterionEntry> chosen() const;
    // Selects the entry at that position of a list; -1 selects nothing.
    static void select(QListWidget* list, int row);
    // The selected position of a list, -1 when nothing is selected.
    static int selectedRow(const QListWidget* list);
    // The catalogue number of the selected criterion, -1 when none is selected.
    int selectedCriterion() const;
    void setButtonsEnabled(bool add, bool remove);

signals:
    // A click on a list or a key released in it, with the list's selected position (-1: none).
    void groupChosen(int row);
    void criterionChosen(int row);
    void chosenEntryChosen(int row);
    void addRequested();    // "Dodaj ->"
    void deleteRequested(); // "<- Usuń"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void layOutGroups(int width, int height) override;

private:
    void buildDutyGroup();
    void buildChoiceGroup();
    void reportChoice(const QListWidget* list);
    void layOutDutyGroup(int groupWidth);
    void layOutChoiceGroup(int groupWidth);

    QGroupBox* m_dutyGroup = nullptr;
    QGroupBox* m_choiceGroup = nullptr;
    // TaviroGradeB1Memo1 (current duties), 2 (additional) and 3 (description).
    std::array<widgets::TaviroMemo*, 3> m_memos{};
    std::array<QLabel*, 3> m_memoCaptions{};
    // TaviroGradeB1ListBox1 (groups), 2 (criteria) and 3 (chosen), with their captions.
    std::array<QListWidget*, 3> m_lists{};
    std::array<QLabel*, 3> m_listCaptions{};
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace taviro::ui
