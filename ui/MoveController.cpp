#include "MoveController.h"

#include "NavigationPanel.h"
#include "TaviroMainCode.h"
#include "TaviroMoveCode.h"

#include "MessageDialogs.h"
#include "Register.h"

namespace taviro::ui {

namespace {

constexpr int kIdRole = Qt::UserRole;

void removeEmployeeNode(QTreeWidget* tree, int employeeId)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (tree->topLevelItem(i)->data(0, kIdRole).toInt() == employeeId) {
            // Nothing stays selected: the commands that need an employee are disabled again.
            const QSignalBlocker blocker(tree);
            delete tree->takeTopLevelItem(i);
            tree->setCurrentItem(nullptr);
            return;
        }
    }
}

} // namespace

QString MoveController::employeeGoneText()
{
    return QStringLiteral("Nie można przenieść pracownika - w międzyczasie został on przeniesiony do innej komórki "
                          "lub usunięty na innym stanowisku. Lista pracowników zostanie odświeżona.");
}

void MoveController::run(Command)
{
    m_window.lockCommands();
    try {
        moveSelectedEmployee();
    } catch (...) {
        // The record is in at least one of the two files whatever happened; the tree shows
        // where it is before the main window reports the failure.
        try {
            m_window.navigation()->fillTree(m_window.records());
        } catch (...) {
        }
        throw;
    }
    m_window.unlockCommands();
}

void MoveController::moveSelectedEmployee()
{
    NavigationPanel* navigation = m_window.navigation();
    const auto source = navigation->selectedUnitId();
    const auto employee = navigation->selectedEmployeeId();
    if (!source || !employee)
        return;

    // Every live unit but the present one, whatever the user may see: the employee may go to a
    // unit outside the user's own list.
    std::vector<TTaviroMoveForm::Target> targets;
    for (const LiveRecord& unit : m_window.records().enumerateLive(unitsFileName(), RecordKind::Unit, {"CELLNAME="})) {
        const auto id = parseInteger(unit.id);
        if (id && *id != *source)
            targets.emplace_back(QString::fromStdString(unit.values[0]), static_cast<int>(*id));
    }

    std::optional<int> target;
    {
        TTaviroMoveForm dialog(targets, &m_window);
        if (m_window.environment().runDialog)
            m_window.environment().runDialog(dialog);
        else
            dialog.exec();
        if (dialog.result() == QDialog::Accepted)
            target = dialog.targetUnitId();
    }
    if (!target)
        return;

    if (moveEmployee(m_window.records(), identifierText(*source), identifierText(*target), identifierText(*employee))) {
        removeEmployeeNode(navigation->tree(), *employee);
        return;
    }
    m_window.environment().dialogs.showInformation(employeeGoneText());
    navigation->fillTree(m_window.records());
}

} // namespace taviro::ui
