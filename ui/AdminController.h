// The administration command and its page: the accounts of Users.dat, the administrator's password,
// the import and the check of the data files. The main window has already let only the
// administrator through.
#pragma once

#include "CommandHandler.h"

#include <memory>
#include <string>
#include <vector>

class QThread;

namespace taviro {
struct UserAccount;
}

namespace taviro::ui {

struct DataCheckRun;
class NavigationPanel;
class PageHost;
class Services;
class TaviroAdminPanel;

class AdminController : public CommandHandler
{
public:
    AdminController(Services& services, PageHost& host, NavigationPanel& navigation, TaviroAdminPanel& page);
    // Stops a data check still under way and waits for its thread.
    ~AdminController() override;
    AdminController(const AdminController&) = delete;
    AdminController& operator=(const AdminController&) = delete;

    bool handles(Command command) const override { return command == Command::Administration; }
    void run(Command command) override;

private:
    // Reads Users.dat into the grid and Cell.dat into the checklist and resets the fields.
    void open();
    void showCurrentAccount();
    void addAccount();
    void correctAccount();
    void removeAccount();
    void setRights();
    void changePassword();
    void importRegister();
    void close();
    // Starts the data check on a thread of its own, with file access of its own; the page stays
    // usable meanwhile. Its report comes in a dialog once the check is over, unless the page has
    // been left by then.
    void startDataCheck();
    void dataCheckFinished();
    // Runs what the page asked for. A check that finishes meanwhile (while a dialog of the operation
    // is open, or while it waits for a file) shows its report after the operation, not inside it.
    void pageOperation(void (AdminController::*operation)());
    // Writes the rows as Users.dat, then shows them with the row selected. Every change writes the
    // whole file at once, so there is nothing to save on closing. On a failure the message is shown
    // and the grid is read back from the file, so the page never shows accounts that are not stored.
    void write(std::vector<UserAccount> rows, int selectedRow);
    void readGrid();

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;
    TaviroAdminPanel& m_page;

    std::unique_ptr<QThread> m_checkThread; // while a check runs or its report waits
    std::shared_ptr<DataCheckRun> m_check;
    int m_operations = 0;
    bool m_checkReportWaiting = false;
};

} // namespace taviro::ui
