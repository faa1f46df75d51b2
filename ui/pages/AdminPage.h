// The administration page: the user accounts with their rights and permitted units, the
// administrator's password, the import of units and employees and the check of the data files. A
// view: the account grid shows the account list model, the buttons say what the user asked for,
// and the administration controller does the reading and writing.
#pragma once

#include "AccountListModel.h"
#include "ContentPage.h"

#include "Register.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTableView>

#include <array>
#include <string>

namespace taviro::widgets {
class TaviroLineEdit;
}

namespace taviro::ui {

class TaviroAdminPanel : public ContentPage
{
    Q_OBJECT
public:
    using Model = AccountListModel;

    explicit TaviroAdminPanel(QWidget* parent = nullptr);

    Model& model() { return m_model; }
    QTableView* grid() const { return m_grid; }
    QListWidget* unitChecklist() const { return m_units; }
    // The text of a grid cell (row counted from 0 below the header).
    QString cell(int row, int column) const;
    int currentRow() const;
    // Makes the row current without announcing it as the user's choice.
    void selectRow(int row);

    // The live units, in file order, for the checklist.
    void setUnits(const std::vector<UnitEntry>& units);
    // The password of this session, which "Aktualne hasło" must repeat.
    void setCurrentPassword(const std::string& password);
    // Empties every field and check box.
    void clearAll();
    void clearPasswordChange();

    // An account in the fields, the check boxes and the checklist (an empty one clears them).
    void showAccount(const UserAccount& account);
    // The fields as an account: texts trimmed, rights and units from the boxes.
    UserAccount enteredAccount() const;
    // The rights string of the fourteen check boxes in their order ("1" checked, "0" not).
    QString rightsFromCheckBoxes() const;
    // The unit access list of the checked checklist items in list order ("000003#000017#").
    QString unitsFromChecklist() const;
    // "Nowe hasło" as it is stored: trimmed and upper-cased.
    std::string newAdministratorPassword() const;

    // Whether the data check is offered: to the administrator only (hidden otherwise).
    void setDataCheckAllowed(bool allowed);
    // While the check runs its button is off, the page shows a busy cursor and the check says so.
    void setDataCheckRunning(bool running);
    bool isDataCheckRunning() const { return m_checkRunning; }

signals:
    void currentAccountChanged();
    void addClicked();
    void correctClicked();
    void deleteClicked();
    void setRightsClicked();
    void changePasswordClicked();
    void importClicked();
    void checkDataClicked();
    void closeClicked();

protected:
    void layOutGroups(int width, int height) override;

private:
    void buildUsersGroup();
    void buildUserDataGroup();
    void buildRightsGroup();
    void buildAdministratorGroup();
    void updateButtons();

    Model m_model;
    std::string m_currentPassword;
    bool m_selectingRow = false;

    QGroupBox* m_usersGroup = nullptr;
    QTableView* m_grid = nullptr;

    QGroupBox* m_userDataGroup = nullptr;
    QGroupBox* m_personalGroup = nullptr;
    QGroupBox* m_networkGroup = nullptr;
    std::array<widgets::TaviroLineEdit*, 9> m_edits{}; // TaviroAdminEdit1 … TaviroAdminEdit9
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
    QGroupBox* m_checkGroup = nullptr;
    QLabel* m_checkText = nullptr;
    QPushButton* m_check = nullptr;
    bool m_checkAllowed = false;
    bool m_checkRunning = false;
};

} // namespace taviro::ui
