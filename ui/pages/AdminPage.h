// The administration page: the user accounts with their rights and permitted units, the
// administrator's password and the import of units and employees. The grid is the working copy of
// Users.dat; every change writes the whole file at once, so there is nothing to save on closing.
#pragma once

#include "ContentPage.h"

#include "TaviroImportCode.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include <array>
#include <string>

namespace taviro {
struct UserAccount;
}

namespace taviro::ui {

class TTaviroMainForm;

class TaviroAdminPanel : public ContentPage
{
    Q_OBJECT
public:
    // Columns of the account grid; the rights string and the unit access list are kept in the two
    // hidden columns.
    enum Column
    {
        NumberColumn = 0,
        FirstNameColumn,
        SurnameColumn,
        PositionColumn,
        IdentifierColumn,
        PasswordColumn,
        RightsColumn,
        UnitsColumn,
        ColumnCount
    };

    explicit TaviroAdminPanel(TTaviroMainForm& window, QWidget* parent = nullptr);

    // Fills the grid from Users.dat and the unit checklist from Cell.dat and resets the fields;
    // the caller has checked the administrator rule and locked the commands.
    void open();

    // How "Importuj" asks for the import file (tests give a name without a window).
    void setImportFileChooser(ImportFileChooser chooser) { m_importFileChooser = std::move(chooser); }

    QTableWidget* grid() const { return m_grid; }
    QListWidget* unitChecklist() const { return m_units; }

    // The text of a grid cell (row counted from 0 below the header).
    QString cell(int row, int column) const;

    // The rights string of the fourteen check boxes in their order ("1" checked, "0" not).
    QString rightsFromCheckBoxes() const;
    // The unit access list of the checked checklist items in list order ("000003#000017#").
    QString unitsFromChecklist() const;

protected:
    void layOutGroups(int width, int height) override;

private:
    void buildUsersGroup();
    void buildUserDataGroup();
    void buildRightsGroup();
    void buildAdministratorGroup();

    void setCell(int row, int column, const QString& text);
    void putAccount(int row, const UserAccount& account);
    void fillGrid();
    void fillChecklist();
    void selectRow(int row);
    int currentRow() const;
    bool rowIsEmpty(int row) const;
    void renumber();
    // Writes the grid to Users.dat. On a failure the message is shown and the grid is read back
    // from the file, so the page never shows accounts that are not stored.
    bool writeUserFile();
    void reportError(const std::exception& error);
    void setAccountColumns(int row);

    void TaviroAdminStringGridClick();
    void TaviroAdminEdit1Change();
    void TaviroAdminAddButtonClick();
    void TaviroAdminCorectButtonClick();
    void TaviroAdminDeleteButtonClick();
    void TaviroAdminRightButtonClick();
    void TaviroAdminChangeButtonClick();
    void TaviroAdminImportButtonClick();
    void TaviroAdminCloseButtonClick();

    TTaviroMainForm& m_window;
    ImportFileChooser m_importFileChooser;

    QGroupBox* m_usersGroup = nullptr;
    QTableWidget* m_grid = nullptr;

    QGroupBox* m_userDataGroup = nullptr;
    QGroupBox* m_personalGroup = nullptr;
    QGroupBox* m_networkGroup = nullptr;
    std::array<QLineEdit*, 9> m_edits{}; // TaviroAdminEdit1 … TaviroAdminEdit9
    QPushButton* m_add = nullptr;
    QPushButton* m_correct = nullptr;
    QPushButton* m_delete = nullptr;

    QGroupBox* m_rightsGroup = nullptr;
    QGroupBox* m_unitRightsGroup = nullptr;
    QGroupBox* m_employeeRightsGroup = nullptr;
    QGroupBox* m_appraisalRightsGroup = nullptr;
    std::array<QCheckBox*, 14> m_rights{}; // in the order of the rights string
    QListWidget* m_units = nullptr;
    QPushButton* m_setRights = nullptr;

    QGroupBox* m_administratorGroup = nullptr;
    QGroupBox* m_passwordGroup = nullptr;
    QGroupBox* m_importGroup = nullptr;
    QLabel* m_importText = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_import = nullptr;
};

} // namespace taviro::ui
