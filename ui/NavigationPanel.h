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
class Accounts;
class RecordFiles;
} // namespace taviro

namespace taviro::ui {

class NavigationPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 200;

    explicit NavigationPanel(QWidget* parent = nullptr);

    // The pop-up menus of the strip buttons and of a right click.
    void setPopupMenus(QMenu* unitPopup, QMenu* treePopup);

    // Rebuilds the unit list from Cell.dat with the units the user may see, and selects the
    // first one without refilling the tree.
    void fillUnitList(RecordFiles& records, Accounts& accounts, const std::string& userName);
    // Rebuilds the tree of the selected unit's employees and their live appraisals; selects
    // and expands nothing.
    void fillTree(RecordFiles& records);

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

    QComboBox* m_units = nullptr;
    QTreeWidget* m_tree = nullptr;
    QToolButton* m_unitStripButton = nullptr;
    QToolButton* m_treeStripButton = nullptr;
    QMenu* m_unitPopup = nullptr;
    QMenu* m_treePopup = nullptr;
    RecordFiles* m_records = nullptr; // for refilling the tree when the user picks a unit
};

} // namespace taviro::ui
