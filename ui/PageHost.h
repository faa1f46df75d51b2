// What a controller may ask of the window that holds its page: show the page, return to the start
// page, lock and unlock the commands, show the help. Controllers and pages never see the main
// window itself.
#pragma once

#include "PageId.h"

class QDialog;
class QString;

namespace taviro::ui {

class PageHost
{
public:
    virtual ~PageHost() = default;

    // Makes the page the only visible one and lays it out.
    virtual void showPage(PageId page) = 0;
    // Leaves a page: the start page comes back and the commands are unlocked.
    virtual void returnToStartPage() = 0;
    // Every command and the navigation panel off while a page or dialog is open; on again after.
    virtual void lockCommands() = 0;
    virtual void unlockCommands() = 0;
    // The help dialog, as a page's "Pomoc" opens it (the commands stay as they are).
    virtual void showHelp() = 0;
    // Shows a modal dialog and returns when it is closed (tests answer it through the seam).
    virtual void runDialog(QDialog& dialog) = 0;
    // Tells the user in the status bar what an operation did (until a hint takes its place).
    virtual void showStatusMessage(const QString& text) = 0;
};

// Locks the commands for the length of one command and unlocks them on every way out, an exception
// included, unless the command hands the lock to the page it opened: that page unlocks them when it
// is left (PageHost::returnToStartPage).
class CommandLock
{
public:
    explicit CommandLock(PageHost& host) : m_host(host) { m_host.lockCommands(); }
    ~CommandLock()
    {
        if (m_held)
            m_host.unlockCommands();
    }
    CommandLock(const CommandLock&) = delete;
    CommandLock& operator=(const CommandLock&) = delete;

    void handOverToPage() { m_held = false; }

private:
    PageHost& m_host;
    bool m_held = true;
};

} // namespace taviro::ui
