// The unit page: the data of one organisational unit and of the local-government body it belongs
// to, shown for a new unit, for viewing or for correcting.
#pragma once

#include "RegisterPage.h"

#include "Register.h"

#include <array>

namespace taviro::widgets {
class TaviroDatePicker;
class TaviroLineEdit;
} // namespace taviro::widgets

namespace taviro::ui {

class CellPage : public RegisterPage
{
    Q_OBJECT
public:
    static constexpr int kFieldCount = 5;

    explicit CellPage(QWidget* parent = nullptr);

    // TaviroCellEdit1 … TaviroCellEdit5 (number 1 to 5) and the date TaviroCellEdit6.
    widgets::TaviroLineEdit* edit(int number) const;
    widgets::TaviroDatePicker* dateEdit() const { return m_date; }

    // Shows a unit's values as stored; a date that is no valid date leaves the picker as it is.
    void load(const Unit& unit);
    // The fields as a unit record: texts trimmed, the date as dd-mm-yyyy; no identifier.
    Unit stored() const;

    QWidget* firstField() const override;
    // "Zapisz" is enabled exactly when the body's name is filled in.
    void updateSaveButton() override;

protected:
    void layOutGroups(int width, int height) override;

private:
    QGroupBox* m_bodyGroup = nullptr;
    QGroupBox* m_unitGroup = nullptr;
    std::array<widgets::TaviroLineEdit*, kFieldCount> m_edits{};
    std::array<QLabel*, kFieldCount + 1> m_labels{};
    widgets::TaviroDatePicker* m_date = nullptr;
};

} // namespace taviro::ui
