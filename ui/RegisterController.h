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
    // The commands of one record kind and the texts of its page and of its delete question.
    struct Slice
    {
        Command create;
        Command view;
        Command correct;
        Command remove;
        PageId page;
        QString helpFile;
        QString newTitle;
        QString correctTitle;
        QString viewTitle;
        QString deleteQuestion;
    };

    bool handles(Command command) const override;
    void run(Command command) override;

protected:
    // focusAfterPage and focusAfterDelete: the controls that take the focus once the page is left
    // and once a record is deleted.
    RegisterController(Services& services, PageHost& host, NavigationPanel& navigation, RegisterPage& page, Slice slice,
                       QWidget* focusAfterPage, QWidget* focusAfterDelete);

    // Whether the navigation panel has what a command of that mode needs (View and Correct also
    // stand for the delete).
    virtual bool hasSelection(PageMode mode) const = 0;
    // Reads the selected record into the page.
    virtual void loadSelected() = 0;
    // Writes what the page holds; false keeps the page open (the user was told why).
    virtual bool store(PageMode mode) = 0;
    virtual void removeSelected() = 0;

    Services& m_services;
    PageHost& m_host;
    NavigationPanel& m_navigation;

private:
    void open(PageMode mode);
    void save();
    void leavePage();
    void remove();
    QString title(PageMode mode) const;

    RegisterPage& m_page;
    Slice m_slice;
    QWidget* m_focusAfterPage;
    QWidget* m_focusAfterDelete;
};

} // namespace taviro::ui
