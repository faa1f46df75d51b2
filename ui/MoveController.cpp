#include "MoveController.h"

#include "NavigationPanel.h"
#include "PageHost.h"
#include "Services.h"
#include "dialogs/TaviroMoveCode.h"

#include "MessageDialogs.h"

#include "TextCodec.h"

namespace taviro::ui {

QString MoveController::employeeGoneText()
{
    return QStringLiteral("Nie można przenieść pracownika - w międzyczasie został on przeniesiony do innej komórki "
                          "lub usunięty na innym stanowisku. Lista pracowników zostanie odświeżona.");
}

void MoveController::run(Command)
{
    CommandLock lock(m_host);
    try {
        moveSelectedEmployee();
    } catch (...) {
        // The record is in at least one of the two files whatever happened; the tree shows
        // where it is before the failure is reported.
        try {
            m_navigation.fillTree();
        } catch (...) {
        }
        throw;
    }
}

void MoveController::moveSelectedEmployee()
{
    const auto source = m_navigation.selectedUnitId();
    const auto employee = m_navigation.selectedEmployeeId();
    if (!source || !employee)
        return;

    // Every live unit but the present one, whatever the user may see: the employee may go to a
    // unit outside the user's own list.
    std::vector<TTaviroMoveForm::Target> targets;
    for (const UnitEntry& unit : m_services.units().liveUnits()) {
        const auto id = parseInteger(unit.id);
        if (id && *id != *source)
            targets.emplace_back(QString::fromStdString(unit.name), static_cast<int>(*id));
    }

    std::optional<int> target;
    {
        TTaviroMoveForm dialog(targets, m_navigation.window());
        m_host.runDialog(dialog);
        if (dialog.result() == QDialog::Accepted)
            target = dialog.targetUnitId();
    }
    if (!target)
        return;

    if (moveEmployee(m_services.records(), identifierText(*source), identifierText(*target),
                     identifierText(*employee))) {
        m_navigation.removeEmployee(*employee);
        return;
    }
    m_services.dialogs().showInformation(employeeGoneText());
    m_navigation.fillTree();
}

} // namespace taviro::ui
