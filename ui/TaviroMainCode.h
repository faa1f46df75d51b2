// The main window: session state, the navigation panel, the twelve content pages, and the
// command layer that ties the menus, toolbar and pop-up menus to the rest of the program.
#pragma once

#include "CommandHandler.h"
#include "CommandTable.h"
#include "Environment.h"
#include "SessionState.h"

#include "Accounts.h"
#include "TaviroTypeCode.h"

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

class TTaviroMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // The pages of the content area in the order of the current-page numbers.
    enum Page
    {
        StartPageIndex = 0,
        CellPage,
        PersonPage,
        GradeAPage,
        GradeBPage,
        GradeB1Page,
        GradeCPage,
        GradeDPage,
        GradeEPage,
        GradeB2Page,
        GradeC1Page,
        AdminPage,
        PageCount
    };

    static constexpr int kInitialWidth = 1004;
    static constexpr int kInitialHeight = 748;
    static constexpr int kMinimumHeight = 728;
    static constexpr int kHelpDelayMs = 500;

    TTaviroMainForm(DataDirectory directory, Environment& environment, QWidget* parent = nullptr);
    ~TTaviroMainForm() override;

    static QString caption();
    static QString applicationTitle();

    const SessionState& session() const { return m_session; }
    const DataDirectory& dataDirectory() const { return m_directory; }
    bool isStarted() const { return m_started; }

    // Makes page n the only visible page and lays it out.
    void showPage(int page);
    void layOutCurrentPage();
    QWidget* page(int page) const;

    void lockCommands();
    void unlockCommands();
    void updateCommandStates();
    // The command guard: the right, or the administrator; otherwise the refusal message.
    bool checkRight(const QString& code);

    NavigationPanel* navigation() const { return m_navigation; }
    CommandBar* commands() const { return m_commands; }

    // What the areas of the program work with.
    Environment& environment() const { return m_environment; }
    SharedFileAccess& files() { return m_files; }
    Counters& counters() { return m_counters; }
    Accounts& accounts() { return m_accounts; }
    // The record files of this session; exists once start-up has drawn the session number.
    RecordFiles& records() { return *m_records; }
    SessionState& sessionState() { return m_session; }

    // Puts an area's own page in place of the page frame at that index; called while the
    // handlers are made, before start-up.
    void installPage(int page, QWidget* widget);
    // The help dialog; locked is true when it is opened as a command (not from a page's button).
    void showHelpDialog(bool lock);
    // Leaves a page: the start page comes back and the commands are unlocked.
    void returnToStartPage();

    // Restores and raises the window (a second start of the program asks for it).
    void bringToFront();

signals:
    // Start-up has finished: the user logged in and the lists are filled.
    void started();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildContentPages();
    ContentPage* addContentPage(const QString& name, const QString& titleName, const QString& title, bool withHint,
                                const QString& hintName);
    void startUp();
    void showHelpAtStart();
    void runCommand(Command command);
    void carryOut(Command command);
    void showAboutDialog();
    void makeHandlers();
    void runModal(QDialog& dialog);
    void restorePlacement();
    void savePlacement();
    void reportError(const std::exception& error);

    DataDirectory m_directory;
    Environment& m_environment;
    std::unique_ptr<WaitNotifier> m_notifier;
    SharedFileAccess m_files;
    Counters m_counters;
    Accounts m_accounts;
    std::unique_ptr<RecordFiles> m_records;
    SessionState m_session;

    NavigationPanel* m_navigation = nullptr;
    CommandBar* m_commands = nullptr;
    QStackedWidget* m_pages = nullptr;
    StartPage* m_startPage = nullptr;
    std::array<QWidget*, PageCount> m_pageWidgets{};
    std::vector<std::unique_ptr<CommandHandler>> m_handlers;
    QTimer* m_startTimer = nullptr;
    bool m_startRequested = false;
    bool m_started = false;
};

} // namespace taviro::ui
