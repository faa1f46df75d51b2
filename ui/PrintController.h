// Printing from the main window. The command "Drukuj" of the appraisals prints the selected stored
// appraisal: the print-parts dialog, the platform's print dialog, then the chosen parts of the
// record read afresh. Page A's "Drukuj" prints the notification of the first interview with the
// unit, the employee and the interview dates as they stand on the page.
#pragma once

#include "CommandHandler.h"

#include <functional>
#include <string>

class QWidget;

namespace taviro {
struct Appraisal;
}

namespace taviro::print {
class PrintTarget;
}

namespace taviro::ui {

struct Environment;
class NavigationPanel;
class PageHost;
class Services;

// Hands the printer of the environment to `use`, or the platform's for the length of one printout.
void withPrintTarget(Environment& environment, const std::function<void(print::PrintTarget& target)>& use);

class PrintController : public CommandHandler
{
public:
    PrintController(Services& services, PageHost& host, NavigationPanel& navigation);

    bool handles(Command command) const override;
    void run(Command command) override;

private:
    void printAppraisal(const std::string& employeeId, const std::string& appraisalId);

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;
};

// The notification dialog, the platform's print dialog, then the letter and its attachments as
// ticked. pageA holds the dates of page A (interview date and time, notification date); nothing is
// stored. A failure of the data files ends it with the general error message.
void printNotification(Services& services, PageHost& host, const std::string& unitId, const std::string& employeeId,
                       const Appraisal& pageA, QWidget* parent);

} // namespace taviro::ui
