// The administration command and its page: the accounts of Users.dat, the administrator's password
// and the import. The main window has already let only the administrator through.
#pragma once

#include "CommandHandler.h"

#include <string>
#include <vector>

namespace taviro {
struct UserAccount;
}

namespace taviro::ui {

class NavigationPanel;
class PageHost;
class Services;
class TaviroAdminPanel;

class AdminController : public CommandHandler
{
public:
    AdminController(Services& services, PageHost& host, NavigationPanel& navigation, TaviroAdminPanel& page);

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
    // Writes the rows as Users.dat, then shows them with the row selected. Every change writes the
    // whole file at once, so there is nothing to save on closing. On a failure the message is shown
    // and the grid is read back from the file, so the page never shows accounts that are not stored.
    void write(std::vector<UserAccount> rows, int selectedRow);
    void readGrid();

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;
    TaviroAdminPanel& m_page;
};

} // namespace taviro::ui
