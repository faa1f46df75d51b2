// The move command: the selected employee goes, with his or her appraisals, to another unit.
#pragma once

#include "CommandHandler.h"

#include <QString>

namespace taviro::ui {

class NavigationPanel;
class PageHost;
class Services;

class MoveController : public CommandHandler
{
public:
    MoveController(Services& services, PageHost& host, NavigationPanel& navigation)
        : m_services(services), m_host(host), m_navigation(navigation)
    {}

    bool handles(Command command) const override { return command == Command::MoveEmployee; }
    void run(Command command) override;

    // Told when the employee was no longer in the unit's file at the moment of the move.
    static QString employeeGoneText();

private:
    void moveSelectedEmployee();

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;
};

} // namespace taviro::ui
