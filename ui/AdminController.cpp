#include "AdminController.h"

#include "NavigationPanel.h"
#include "PageHost.h"
#include "Services.h"
#include "UserOperation.h"
#include "dialogs/TaviroImportCode.h"
#include "pages/AdminPage.h"

#include "MessageDialogs.h"

#include "Import.h"

#include <optional>

namespace taviro::ui {
AdminController::AdminController(Services& services, PageHost& host, NavigationPanel& navigation,
                                 TaviroAdminPanel& page)
    : m_services(services), m_host(host), m_navigation(navigation), m_page(page)
{
    QObject::connect(&m_page, &TaviroAdminPanel::currentAccountChanged, &m_page, [this] { showCurrentAccount(); });
    QObject::connect(&m_page, &TaviroAdminPanel::addClicked, &m_page, [this] { addAccount(); });
    QObject::connect(&m_page, &TaviroAdminPanel::correctClicked, &m_page, [this] { correctAccount(); });
    QObject::connect(&m_page, &TaviroAdminPanel::deleteClicked, &m_page, [this] { removeAccount(); });
    QObject::connect(&m_page, &TaviroAdminPanel::setRightsClicked, &m_page, [this] { setRights(); });
    QObject::connect(&m_page, &TaviroAdminPanel::changePasswordClicked, &m_page, [this] { changePassword(); });
    QObject::connect(&m_page, &TaviroAdminPanel::importClicked, &m_page, [this] { importRegister(); });
    QObject::connect(&m_page, &TaviroAdminPanel::closeClicked, &m_page, [this] { close(); });
}

void AdminController::run(Command)
{
    CommandLock lock(m_host);
    // A failure while the files are read leaves the start page in place; the lock lets go.
    open();
    m_host.showPage(PageId::Admin);
    m_page.grid()->setFocus();
    lock.handOverToPage();
}

void AdminController::open()
{
    m_page.clearAll();
    m_page.setCurrentPassword(m_services.session().password);
    m_page.model().setRows(AccountListModel::rowsOf(m_services.accounts().readUsers()));
    m_page.selectRow(0);
    m_page.setUnits(m_services.units().liveUnits());
    m_page.clearPasswordChange();
    showCurrentAccount();
}

void AdminController::showCurrentAccount()
{
    m_page.showAccount(m_page.model().row(m_page.currentRow()));
}

void AdminController::addAccount()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = AccountListModel::add(rows, m_page.enteredAccount());
    write(std::move(rows), row);
}

void AdminController::correctAccount()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = m_page.currentRow();
    rows.at(static_cast<std::size_t>(row)) = m_page.enteredAccount();
    write(std::move(rows), row);
}

void AdminController::setRights()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = m_page.currentRow();
    UserAccount& account = rows.at(static_cast<std::size_t>(row));
    account.rights = m_page.rightsFromCheckBoxes().toStdString();
    account.units = m_page.unitsFromChecklist().toStdString();
    write(std::move(rows), row);
}

void AdminController::removeAccount()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = AccountListModel::remove(rows, m_page.currentRow());
    write(std::move(rows), row);
}

void AdminController::write(std::vector<UserAccount> rows, int selectedRow)
{
    if (runUserOperation(m_services.dialogs(), [&] { m_services.accounts().writeUsers(rows); })) {
        m_page.model().setRows(std::move(rows));
    } else {
        readGrid();
        selectedRow = std::min(selectedRow, m_page.model().rowCount() - 1);
    }
    m_page.selectRow(selectedRow);
    showCurrentAccount();
}

void AdminController::readGrid()
{
    std::vector<UserAccount> lines;
    runUserOperation(m_services.dialogs(), [&] { lines = m_services.accounts().readUsers(); });
    m_page.model().setRows(AccountListModel::rowsOf(lines));
}

void AdminController::changePassword()
{
    // On a failure the password edits keep their text so that the user can try again.
    if (!runUserOperation(m_services.dialogs(), [this] {
            m_services.accounts().writeAdministratorPassword(m_page.newAdministratorPassword());
        }))
        return;
    m_page.clearPasswordChange();
}

void AdminController::importRegister()
{
    std::optional<ImportResult> outcome;
    {
        TTaviroImportForm dialog(m_services.records(), m_services.dialogs(),
                                 QString::fromStdString(m_services.directory().path()),
                                 m_services.environment().chooseImportFile, m_page.window());
        m_host.runDialog(dialog);
        outcome = dialog.importResult();
    }
    // Once the dialog is closed the status bar says what it did (when nothing was taken, the
    // dialog has said so in the information dialog too).
    if (outcome)
        m_host.showStatusMessage(QString::fromStdString(importSummaryText(*outcome)));
    // The navigation panel shows the imported units; this page's checklist keeps what it showed
    // when the page was opened.
    runUserOperation(m_services.dialogs(), [this] {
        m_navigation.fillUnitList();
        m_navigation.fillTree();
    });
}

void AdminController::close()
{
    m_host.returnToStartPage();
    m_navigation.tree()->setFocus();
}

} // namespace taviro::ui
