#include "AdminController.h"

#include "TaviroMainCode.h"
#include "pages/AdminPage.h"

namespace taviro::ui {

AdminController::AdminController(TTaviroMainForm& window) : m_window(window)
{
    m_page = new TaviroAdminPanel(window);
    m_window.installPage(TTaviroMainForm::AdminPage, m_page);
}

void AdminController::run(Command)
{
    m_window.lockCommands();
    // A failure while the files are read leaves the start page in place; the main window
    // reports it and unlocks the commands.
    m_page->open();
    m_window.showPage(TTaviroMainForm::AdminPage);
    m_page->grid()->setFocus();
}

} // namespace taviro::ui
