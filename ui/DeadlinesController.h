// The command "Terminy ocen" and its page: whom to appraise next and who is late, read afresh from
// the files of the units the user may see, printed or exported as CSV.
#pragma once

#include "CommandHandler.h"

#include <string>

namespace taviro::ui {

class DeadlinesPage;
class NavigationPanel;
class PageHost;
class Services;

class DeadlinesController : public CommandHandler
{
public:
    DeadlinesController(Services& services, PageHost& host, NavigationPanel& navigation, DeadlinesPage& page);

    bool handles(Command command) const override { return command == Command::Deadlines; }
    void run(Command command) override;

private:
    void print();
    void exportCsv();
    void goToEmployee(const std::string& unitId, const std::string& employeeId);
    void close();

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;
    DeadlinesPage& m_page;
};

} // namespace taviro::ui
