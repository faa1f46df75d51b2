// The administration command: opens the administration page (the main window has already let
// only the administrator through).
#pragma once

#include "CommandHandler.h"

namespace taviro::ui {

class TaviroAdminPanel;
class TTaviroMainForm;

class AdminController : public CommandHandler
{
public:
    // Makes the page and puts it in the main window's page stack.
    explicit AdminController(TTaviroMainForm& window);

    bool handles(Command command) const override { return command == Command::Administration; }
    void run(Command command) override;

    TaviroAdminPanel* page() const { return m_page; }

private:
    TTaviroMainForm& m_window;
    TaviroAdminPanel* m_page = nullptr;
};

} // namespace taviro::ui
