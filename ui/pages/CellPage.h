// The unit page: the data of one organisational unit and of the local-government body it
// belongs to, shown for a new unit, for viewing or for correcting.
#pragma once

#include "ContentPage.h"
#include "RegisterFields.h"
#include "SessionState.h"

#include "Register.h"

#include <QDateEdit>
#include <QLineEdit>

#include <array>

namespace taviro::ui {

class CellPage : public ContentPage
{
    Q_OBJECT
public:
    static constexpr int kFieldCount = 5;

    explicit CellPage(QWidget* parent = nullptr);

    // TaviroCellEdit1 … TaviroCellEdit5 (number 1 to 5).
    QLineEdit* edit(int number) const;
    QDateEdit* dateEdit() const { return m_date; }
    QPushButton* okButton() const { return button(ButtonRole::Save); }
    QPushButton* cancelButton() const { return button(ButtonRole::Last); }
    QPushButton* helpButton() const { return button(ButtonRole::Help); }

    // Empties the fields, sets the date to today and makes everything editable (new, correct)
    // or read-only with Save hidden (view).
    void prepare(PageMode mode, const QString& title);
    void showUnit(const Unit& unit);
    // The fields as a unit record: texts trimmed, the date as dd-mm-yyyy; no identifier.
    Unit enteredUnit() const;
    // Save is enabled exactly when the body's name is filled in.
    void updateSaveButton();

protected:
    void layOutGroups(int width, int height) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* m_bodyGroup = nullptr;
    QGroupBox* m_unitGroup = nullptr;
    std::array<QLineEdit*, kFieldCount> m_edits{};
    std::array<QLabel*, kFieldCount + 1> m_labels{};
    QDateEdit* m_date = nullptr;
};

} // namespace taviro::ui
