// The employee page: an employee's personal data, the basis and dates of employment, and the
// duties, shown for a new employee, for viewing or for correcting.
#pragma once

#include "RegisterPage.h"

#include "Register.h"

#include <QRadioButton>

#include <array>

namespace taviro::widgets {
class TaviroDatePicker;
class TaviroLineEdit;
class TaviroMemo;
} // namespace taviro::widgets

namespace taviro::ui {

class PersonPage : public RegisterPage
{
    Q_OBJECT
public:
    static constexpr int kFieldCount = 3;

    explicit PersonPage(QWidget* parent = nullptr);

    // TaviroPersonEdit1 … TaviroPersonEdit3 (number 1 to 3).
    widgets::TaviroLineEdit* edit(int number) const;
    // TaviroPersonMemo1 (current duties) and TaviroPersonMemo2 (additional duties).
    widgets::TaviroMemo* memo(int number) const;
    // TaviroPersonDateTimePicker1 (appointment or employment) and …2 (present position).
    widgets::TaviroDatePicker* datePicker(int number) const;
    QRadioButton* appointmentButton() const { return m_appointment; }
    QRadioButton* contractButton() const { return m_contract; }

    // Besides emptying the fields, chooses "mianowania".
    void clear(const QDate& today) override;
    // Shows an employee read from the file (line breaks decoded): a one-line field shows the "#"
    // and "$" that stand for a line break in the file, so an unchanged value is written back
    // exactly as it was.
    void load(const Employee& employee);
    // The fields as an employee record: texts trimmed, PERSONEMPLOY "1" or "0", dates as
    // dd-mm-yyyy, duties with their line breaks; no identifier.
    Employee stored() const;

    QWidget* firstField() const override;
    // "Zapisz" is enabled exactly when first name, surname and position are all filled in.
    void updateSaveButton() override;

protected:
    void layOutGroups(int width, int height) override;

private:
    QGroupBox* m_dataGroup = nullptr;
    QGroupBox* m_dutyGroup = nullptr;
    std::array<widgets::TaviroLineEdit*, kFieldCount> m_edits{};
    std::array<QLabel*, kFieldCount> m_editLabels{};
    QLabel* m_dateLabel = nullptr;
    QRadioButton* m_appointment = nullptr;
    QRadioButton* m_contract = nullptr;
    QLabel* m_postLabel = nullptr;
    QLabel* m_date2Label = nullptr;
    std::array<widgets::TaviroDatePicker*, 2> m_dates{};
    std::array<QLabel*, 2> m_memoLabels{};
    std::array<widgets::TaviroMemo*, 2> m_memos{};
};

} // namespace taviro::ui
