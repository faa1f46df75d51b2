// Section B of the sheet: the criteria of the appraisal and the month of the written appraisal, the
// evaluator, and the approval of the criteria by the head of the unit with the employee's
// acknowledgement. It leads to the choice of the criteria and to the interview before it.
#pragma once

#include "SheetPage.h"

#include <QDate>
#include <QListWidget>

#include <array>

namespace taviro::widgets {
class TaviroComboBox;
}

namespace taviro::ui {

class GradeBPage : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeBPage(QWidget* parent = nullptr);

    void load(const Appraisal& appraisal) override;
    void store(Appraisal& appraisal) const override;
    // The criteria list TaviroGradeBListBox2.
    QWidget* firstField() const override;

    // The chosen criteria, in the order of choosing.
    void setCriteria(const std::vector<std::string>& names);
    std::vector<std::string> criteria() const;
    // Shows the evaluator's start date without reporting it as changed.
    void setEvaluatorDate(const QDate& date);

signals:
    void selectRequested();    // "Wybierz"
    void interviewRequested(); // "Rozmowa"
    // The user changed the additional criterion.
    void additionalCriterionEdited();
    // The user changed the evaluator's start date.
    void evaluatorDateChanged(const QDate& date);

protected:
    void layOutGroups(int width, int height) override;

private:
    void buildStepGroups();
    void buildCriteriaGroup();
    void buildApprovalGroup();
    void layOutStepGroups(int groupWidth);
    void layOutCriteriaGroup();
    void layOutApprovalGroup();

    std::array<QGroupBox*, 4> m_groups{};
    std::array<QLabel*, 2> m_stepCaptions{};
    QPushButton* m_interview = nullptr;
    QPushButton* m_select = nullptr;
    QListWidget* m_criteria = nullptr;
    QLabel* m_criteriaCaption = nullptr;
    // TaviroGradeBEdit1 … 6 and their captions.
    std::array<widgets::TaviroLineEdit*, 6> m_edits{};
    std::array<QLabel*, 6> m_editCaptions{};
    std::array<widgets::TaviroMemo*, 2> m_memos{};
    QLabel* m_noteCaption = nullptr;
    widgets::TaviroComboBox* m_month = nullptr;
    QLabel* m_monthCaption = nullptr;
    widgets::TaviroDatePicker* m_date = nullptr;
    QLabel* m_dateCaption = nullptr;
    QLabel* m_acknowledgement = nullptr;
};

} // namespace taviro::ui
