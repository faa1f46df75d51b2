#include "RegisterController.h"

#include "PageHost.h"
#include "Services.h"
#include "UserOperation.h"
#include "pages/RegisterPage.h"

#include "EntryControls.h"
#include "HelpText.h"
#include "MessageDialogs.h"

namespace taviro::ui {

RegisterController::RegisterController(Services& services, PageHost& host, NavigationPanel& navigation,
                                       RegisterPage& page, Slice slice, QWidget* focusAfterPage,
                                       QWidget* focusAfterDelete)
    : m_services(services), m_host(host), m_navigation(navigation), m_page(page), m_slice(std::move(slice)),
      m_focusAfterPage(focusAfterPage), m_focusAfterDelete(focusAfterDelete)
{
    QObject::connect(m_page.okButton(), &QPushButton::clicked, &m_page, [this] { save(); });
    QObject::connect(m_page.cancelButton(), &QPushButton::clicked, &m_page, [this] { leavePage(); });
    QObject::connect(m_page.helpButton(), &QPushButton::clicked, &m_page, [this] { m_host.showHelp(); });
}

bool RegisterController::handles(Command command) const
{
    return command == m_slice.create || command == m_slice.view || command == m_slice.correct ||
           command == m_slice.remove;
}

QString RegisterController::title(PageMode mode) const
{
    switch (mode) {
    case PageMode::New:
        return m_slice.newTitle;
    case PageMode::Correct:
        return m_slice.correctTitle;
    case PageMode::View:
        return m_slice.viewTitle;
    case PageMode::None:
        break;
    }
    return {};
}

void RegisterController::run(Command command)
{
    if (command == m_slice.create)
        open(PageMode::New);
    else if (command == m_slice.view)
        open(PageMode::View);
    else if (command == m_slice.correct)
        open(PageMode::Correct);
    else if (command == m_slice.remove)
        remove();
}

void RegisterController::open(PageMode mode)
{
    if (!hasSelection(mode))
        return;
    CommandLock lock(m_host);
    m_page.setMode(mode, title(mode));
    m_page.clear(m_services.today());
    HelpText::load(m_services.directory(), m_slice.helpFile, *m_page.hintText());
    // A read error goes up before the page is shown: the lock lets go and the start page stays.
    if (mode != PageMode::New)
        loadSelected();
    m_services.session().pageMode = mode;
    m_host.showPage(m_slice.page);
    m_page.updateSaveButton();
    m_page.firstField()->setFocus();
    lock.handOverToPage();
}

void RegisterController::save()
{
    const PageMode mode = m_services.session().pageMode;
    if (mode == PageMode::View) {
        leavePage();
        return;
    }
    // A date that cannot be stored says so at its field, and nothing is written.
    if (!widgets::datesAcceptable(m_page))
        return;
    // A failed write keeps the page open with what the user typed, so the save can be tried again.
    bool stored = false;
    runUserOperation(m_services.dialogs(), [&] { stored = store(mode); });
    if (stored)
        leavePage();
}

void RegisterController::leavePage()
{
    m_host.returnToStartPage();
    m_focusAfterPage->setFocus();
}

void RegisterController::remove()
{
    if (!hasSelection(PageMode::Correct))
        return;
    {
        CommandLock lock(m_host);
        if (!m_services.dialogs().askQuestion(m_slice.deleteQuestion))
            return;
        // An error goes up with nothing changed; the lock lets go on the way.
        removeSelected();
    }
    m_focusAfterDelete->setFocus();
}

} // namespace taviro::ui
