// Section A of the sheet: the local-government body, the appraised employee, the previous appraisal,
// the place and date of the sheet, and the interview before the criteria are chosen with the
// printing of the employee's notification of it.
#pragma once

#include "SheetPage.h"

#include <QRadioButton>

#include <array>

namespace taviro::ui {

class GradeAPage : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeAPage(QWidget* parent = nullptr);

    void load(const Appraisal& appraisal) override;
    void store(Appraisal& appraisal) const override;
    QWidget* firstField() const override;

signals:
    // "Drukuj": the notification of the interview.
    void printRequested();

protected:
    void layOutGroups(int width, int height) override;

private:
    void buildUnitGroup();
    void buildEmployeeGroup();
    void buildPreviousGroup();
    void buildPlaceGroup();
    void buildInterviewGroup();
    void layOutEmployeeGroup();
    void layOutInterviewGroup();

    std::array<QGroupBox*, 5> m_groups{};
    std::array<widgets::TaviroLineEdit*, 8> m_edits{};
    std::array<QLabel*, 8> m_editCaptions{};
    // TaviroGradeADateTimePicker1 … 6; the fifth is the time.
    std::array<QWidget*, 6> m_pickers{};
    std::array<QLabel*, 6> m_pickerCaptions{};
    QRadioButton* m_appointment = nullptr;
    QRadioButton* m_contract = nullptr;
    QLabel* m_postCaption = nullptr;
    QPushButton* m_print = nullptr;
};

} // namespace taviro::ui
