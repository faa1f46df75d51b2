// The appraisal deadlines page: every live employee of the units the user may see, with the last
// appraisal, the next due date or window and its state, sorted by the due date, overdue rows in
// colour; filters for a unit and for the rows that need doing something. A view: the controller
// reads the files and hands the rows over.
#pragma once

#include "ContentPage.h"

#include "DueList.h"

#include <QCheckBox>
#include <QTableWidget>

#include <vector>

namespace taviro::widgets {
class TaviroComboBox;
}

namespace taviro::ui {

class DeadlinesPage : public ContentPage
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn = 0,
        UnitColumn,
        NameColumn,
        PositionColumn,
        LastDateColumn,
        LastLevelColumn,
        DueColumn,
        StateColumn,
        ColumnCount
    };

    explicit DeadlinesPage(QWidget* parent = nullptr);

    // All rows of the list; the units offered by the unit filter are those the rows name.
    void setRows(std::vector<DueRow> rows);
    // The rows the filters let through, in the order shown.
    std::vector<DueRow> shownRows() const;
    // What the filters are set to, in words, for the printed heading.
    QString filterText() const;

    QTableWidget* grid() const { return m_grid; }
    widgets::TaviroComboBox* unitFilter() const { return m_unit; }
    QCheckBox* actionFilter() const { return m_action; }
    QPushButton* printButton() const { return button(ButtonRole::Next); }
    QPushButton* exportButton() const { return button(ButtonRole::Save); }

signals:
    void helpRequested();
    void printRequested();
    void exportRequested();
    void closeRequested();
    // A double click (or Enter) on a row: go to that employee in the tree.
    void employeeChosen(const std::string& unitId, const std::string& employeeId);

protected:
    void layOutGroups(int width, int height) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildFilters();
    void buildGrid();
    void fillUnitFilter();
    void showRows();
    void chooseRow(int row);

    std::vector<DueRow> m_rows;
    std::vector<std::size_t> m_shown; // indexes into m_rows
    QGroupBox* m_filters = nullptr;
    widgets::TaviroComboBox* m_unit = nullptr;
    QCheckBox* m_action = nullptr;
    QTableWidget* m_grid = nullptr;
};

} // namespace taviro::ui
