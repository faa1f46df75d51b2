// The navigation panel at the left of the main window: the list of units the user may see and
// the tree of the chosen unit's employees with their appraisals.
#pragma once

#include "CommandTable.h"

#include <QComboBox>
#include <QTreeWidget>
#include <QWidget>

#include <optional>
#include <string>

class QMenu;
class QToolButton;

namespace taviro {
struct AppraisalEntry;
struct EmployeeEntry;
struct UnitEntry;
} // namespace taviro

namespace taviro::ui {

class Services;

class NavigationPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 200;

    NavigationPanel(Services& services, QWidget* parent = nullptr);

    // The pop-up menus of the strip buttons and of a right click.
    void setPopupMenus(QMenu* unitPopup, QMenu* treePopup);

    // Rebuilds the unit list from Cell.dat with the units the current user may see, and selects
    // the first one without refilling the tree.
    void fillUnitList();
    // Rebuilds the tree of the selected unit's employees and their live appraisals; selects
    // and expands nothing.
    void fillTree();

    // Keeping the two controls in step with a change just written, without a refill.
    // A new unit goes to the end of the list and is selected; the tree empties.
    void addUnit(const UnitEntry& unit);
    void renameSelectedUnit(const QString& name);
    // The entry before the removed one is selected, or the first one; the tree is refilled.
    void removeSelectedUnit();
    // A new employee goes to the end of the tree and is selected.
    void addEmployee(const EmployeeEntry& employee);
    void renameSelectedEmployee(const QString& firstName, const QString& surname);
    // A new appraisal goes to the end of its employee's appraisals and is selected.
    void addAppraisal(int employeeId, const AppraisalEntry& appraisal);
    void renameSelectedAppraisal(const QString& text);
    // Nothing stays selected afterwards.
    void removeEmployee(int employeeId);
    // Selects the unit in the list (refilling the list when it lacks it), refills the tree and
    // selects the employee's node; nothing is selected in the tree when the employee is gone.
    void showEmployee(const std::string& unitId, const std::string& employeeId);
    // The texts of the unit list (for the duplicate-name check).
    QStringList unitNames() const;

    std::optional<int> selectedUnitId() const;
    std::optional<int> selectedEmployeeId() const;
    std::optional<int> selectedAppraisalId() const;
    Selection selection() const;

    QComboBox* unitList() const { return m_units; }
    QTreeWidget* tree() const { return m_tree; }

signals:
    // The user picked another unit (the tree has been refilled by then).
    void unitPicked();
    // The selected tree node changed.
    void treeSelectionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeStrip(const QString& title, const QString& stripName, const QString& buttonName, QToolButton*& button);
    // Where a pop-up opened from the keyboard comes: below the list, or below the selected node.
    QPoint keyboardPopupPoint(QObject* control) const;
    void userPickedUnit();

    QComboBox* m_units = nullptr;
    QTreeWidget* m_tree = nullptr;
    QToolButton* m_unitStripButton = nullptr;
    QToolButton* m_treeStripButton = nullptr;
    QMenu* m_unitPopup = nullptr;
    QMenu* m_treePopup = nullptr;
    Services& m_services;
};

} // namespace taviro::ui
