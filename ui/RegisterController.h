// What the unit and employee commands share: "Nowa"/"Nowy", "Podgląd" and "Popraw" open the page in
// their mode, "Zapisz" writes it, "Rezygnuj"/"Zamknij" leave it, "Usuń" asks and sets the record's
// deletion flag. The derived controller knows its record: what must be selected, how it is read,
// written and removed, and how the navigation panel follows.
#pragma once

#include "CommandHandler.h"
#include "PageId.h"
#include "SessionState.h"

#include <QString>

class QWidget;

namespace taviro::ui {

class NavigationPanel;
class PageHost;
class RegisterPage;
class Services;

class RegisterController : public CommandHandler
{
public:
    struct Commands
    {
        Command create;
        Command view;
        Command correct;
        Command remove;
    };

    bool handles(Command command) const override;
    void run(Command command) override;

protected:
    RegisterController(Services& services, PageHost& host, NavigationPanel& navigation, RegisterPage& page,
                       PageId pageId, Commands commands, QString helpFile);

    // Whether the navigation panel has what a command of that mode needs (View and Correct also
    // stand for the delete).
    virtual bool hasSelection(PageMode mode) const = 0;
    virtual QString title(PageMode mode) const = 0;
    virtual QString deleteQuestion() const = 0;
    // Reads the selected record into the page.
    virtual void loadSelected() = 0;
    // Writes what the page holds; false keeps the page open (the user was told why).
    virtual bool store(PageMode mode) = 0;
    virtual void removeSelected() = 0;
    // The control that takes the focus once the page is left, and once a record is deleted.
    virtual QWidget* focusAfterPage() const = 0;
    virtual QWidget* focusAfterDelete() const = 0;

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;

private:
    void open(PageMode mode);
    void save();
    void leavePage();
    void remove();

    RegisterPage& m_page;
    PageId m_pageId;
    Commands m_commands;
    QString m_helpFile;
};

} // namespace taviro::ui
