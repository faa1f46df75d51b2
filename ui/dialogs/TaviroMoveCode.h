// The move dialog: the user picks the unit an employee moves to.
#pragma once

#include "TaviroDialog.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QPushButton;

namespace taviro::ui {

class TTaviroMoveForm : public widgets::TaviroDialog
{
    Q_OBJECT

public:
    // A unit the employee may go to: its name and its identifier as a number.
    using Target = std::pair<QString, int>;

    // targets: the units to offer, in the order given (the caller leaves the present unit out).
    explicit TTaviroMoveForm(const std::vector<Target>& targets, QWidget* parent = nullptr);

    // The chosen unit's identifier; nothing while no unit is chosen.
    std::optional<int> targetUnitId() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TaviroMoveComboBoxChange();

    QComboBox* m_units = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace taviro::ui
