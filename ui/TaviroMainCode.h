// The main window: the navigation panel, the content pages, and the command layer that ties
// the menus, toolbar and pop-up menus to the controllers. It owns the services object and is the
// page host of every controller.
#pragma once

#include "CommandHandler.h"
#include "CommandTable.h"
#include "Environment.h"
#include "PageHost.h"
#include "Services.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <vector>

class QStackedWidget;
class QTimer;

namespace taviro::ui {

class CommandBar;
class ContentPage;
class NavigationPanel;
class StartPage;

class TTaviroMainForm : public QMainWindow, public PageHost
{
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 1004;
    static constexpr int kInitialHeight = 748;
    static constexpr int kMinimumHeight = 728;
    static constexpr int kHelpDelayMs = 500;

    TTaviroMainForm(DataDirectory directory, Environment& environment, QWidget* parent = nullptr);
    ~TTaviroMainForm() override;

    static QString caption();
    static QString applicationTitle();

    Services& services() { return m_services; }
    const SessionState& session() const { return m_services.session(); }
    bool isStarted() const { return m_started; }

    QWidget* page(PageId page) const;
    NavigationPanel* navigation() const { return m_navigation; }
    CommandBar* commands() const { return m_commands; }

    // PageHost
    void showPage(PageId page) override;
    void returnToStartPage() override;
    void lockCommands() override;
    void unlockCommands() override;
    void showHelp() override { showHelpDialog(false); }
    void runDialog(QDialog& dialog) override;
    void showStatusMessage(const QString& text) override;

    void updateCommandStates();
    // The command guard: the right, or the administrator; otherwise the refusal message.
    bool checkRight(const QString& code);
    // The help dialog; locked is true when it is opened as a command (not from a page's button).
    void showHelpDialog(bool lock);
    // The one-shot timer that shows the help half a second after start-up (tests fire it at once).
    QTimer* helpTimer() const { return m_startTimer; }

    // Restores and raises the window (a second start of the program asks for it); during the login,
    // the login dialog.
    void bringToFront();

    // The first showing runs the login before anything of the window is on the screen; when it is
    // cancelled the window is never shown and the program ends.
    void setVisible(bool visible) override;

signals:
    // Start-up has finished: the user logged in and the lists are filled.
    void started();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layOutCurrentPage();
    void makePages();
    void place(PageId page, QWidget* widget);
    template <typename Page> Page& pageAs(PageId page) const;
    void makeControllers();
    bool logIn();
    void startUp();
    void showHelpAtStart();
    void runCommand(Command command);
    void carryOut(Command command);
    bool passesGuard(const CommandInfo& info);
    void showAboutDialog();
    void restorePlacement();
    void savePlacement();

    Services m_services;

    NavigationPanel* m_navigation = nullptr;
    CommandBar* m_commands = nullptr;
    QStackedWidget* m_pages = nullptr;
    std::array<QWidget*, static_cast<std::size_t>(PageId::Count)> m_pageWidgets{};
    std::vector<std::unique_ptr<CommandHandler>> m_handlers;
    QTimer* m_startTimer = nullptr;
    bool m_loginAsked = false;
    bool m_loggedIn = false;
    bool m_startRequested = false;
    bool m_started = false;
};

} // namespace taviro::ui
