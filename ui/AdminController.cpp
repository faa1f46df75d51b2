#include "AdminController.h"

#include "NavigationPanel.h"
#include "PageHost.h"
#include "Services.h"
#include "UserOperation.h"
#include "dialogs/TaviroCheckCode.h"
#include "dialogs/TaviroImportCode.h"
#include "pages/AdminPage.h"

#include "MessageDialogs.h"

#include "DataCheck.h"
#include "Import.h"

#include <QStringList>
#include <QThread>

#include <atomic>
#include <exception>
#include <functional>
#include <optional>

namespace taviro::ui {

// What the check's thread hands back. The thread writes the lines or the failure before it
// finishes; the interface thread reads them only after it has finished.
struct DataCheckRun
{
    std::atomic<bool> dropped{false}; // nobody waits for the report any more
    QThread* thread = nullptr;        // set before it starts; lives in the interface thread
    QStringList lines;
    std::exception_ptr failure;
};

namespace {

const QString kAdministratorOnly = QStringLiteral("Funkcja dostępna tylko dla administratora.");

// Thrown out of a wait for a locked file once the report is no longer wanted, so that a file
// somebody keeps locked holds neither the check nor the end of the program.
struct CheckDropped
{};

// How the check waits for a locked file on its own thread: no window to keep painting there and no
// dialog to show; the timeout warning goes to the interface thread.
class CheckWaitNotifier : public WaitNotifier
{
public:
    CheckWaitNotifier(const std::atomic<bool>& dropped, std::function<void(const std::string&)> warn)
        : m_dropped(dropped), m_warn(std::move(warn))
    {}

    void waitBeforeRetry() override
    {
        if (m_dropped)
            throw CheckDropped{};
        QThread::msleep(10);
    }
    void showTimeoutWarning(const std::string& message) override { m_warn(message); }

private:
    const std::atomic<bool>& m_dropped;
    std::function<void(const std::string&)> m_warn;
};

// The lines of the report as taviro-admin check prints them: the findings, then the summary.
void checkOnOwnThread(DataCheckRun& run, const DataDirectory& directory,
                      const std::function<void(const std::string&)>& warn)
{
    try {
        CheckWaitNotifier notifier(run.dropped, warn);
        SharedFileAccess files(directory, notifier);
        const DataCheckReport report = checkDataDirectory(files);
        for (const DataFinding& finding : report.findings)
            run.lines << QString::fromStdString(findingText(finding));
        run.lines << QString::fromStdString(checkSummary(report));
    } catch (const CheckDropped&) {
        run.lines.clear();
    } catch (...) {
        run.failure = std::current_exception();
    }
}

} // namespace

AdminController::AdminController(Services& services, PageHost& host, NavigationPanel& navigation,
                                 TaviroAdminPanel& page)
    : m_services(services), m_host(host), m_navigation(navigation), m_page(page)
{
    const auto on = [this](void (TaviroAdminPanel::*signal)(), void (AdminController::*operation)()) {
        QObject::connect(&m_page, signal, &m_page, [this, operation] { pageOperation(operation); });
    };
    on(&TaviroAdminPanel::currentAccountChanged, &AdminController::showCurrentAccount);
    on(&TaviroAdminPanel::addClicked, &AdminController::addAccount);
    on(&TaviroAdminPanel::correctClicked, &AdminController::correctAccount);
    on(&TaviroAdminPanel::deleteClicked, &AdminController::removeAccount);
    on(&TaviroAdminPanel::setRightsClicked, &AdminController::setRights);
    on(&TaviroAdminPanel::changePasswordClicked, &AdminController::changePassword);
    on(&TaviroAdminPanel::importClicked, &AdminController::importRegister);
    on(&TaviroAdminPanel::checkDataClicked, &AdminController::startDataCheck);
    on(&TaviroAdminPanel::closeClicked, &AdminController::close);
}

AdminController::~AdminController()
{
    if (m_checkThread) {
        m_check->dropped = true;
        m_checkThread->wait();
    }
    // The thread object goes with the events still queued for it, so none reaches this controller.
}

void AdminController::pageOperation(void (AdminController::*operation)())
{
    ++m_operations;
    (this->*operation)();
    if (--m_operations == 0 && m_checkReportWaiting)
        dataCheckFinished();
}

void AdminController::run(Command)
{
    CommandLock lock(m_host);
    // A failure while the files are read leaves the start page in place; the lock lets go.
    open();
    m_host.showPage(PageId::Admin);
    m_page.grid()->setFocus();
    lock.handOverToPage();
}

void AdminController::open()
{
    m_page.clearAll();
    m_page.setCurrentPassword(m_services.session().password);
    m_page.setDataCheckAllowed(isAdministrator(m_services.session().user));
    m_page.model().setRows(AccountListModel::rowsOf(m_services.accounts().readUsers()));
    m_page.selectRow(0);
    m_page.setUnits(m_services.units().liveUnits());
    m_page.clearPasswordChange();
    showCurrentAccount();
}

void AdminController::showCurrentAccount()
{
    m_page.showAccount(m_page.model().row(m_page.currentRow()));
}

void AdminController::addAccount()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = AccountListModel::add(rows, m_page.enteredAccount());
    write(std::move(rows), row);
}

void AdminController::correctAccount()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = m_page.currentRow();
    rows.at(static_cast<std::size_t>(row)) = m_page.enteredAccount();
    write(std::move(rows), row);
}

void AdminController::setRights()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = m_page.currentRow();
    UserAccount& account = rows.at(static_cast<std::size_t>(row));
    account.rights = m_page.rightsFromCheckBoxes().toStdString();
    account.units = m_page.unitsFromChecklist().toStdString();
    write(std::move(rows), row);
}

void AdminController::removeAccount()
{
    std::vector<UserAccount> rows = m_page.model().rows();
    const int row = AccountListModel::remove(rows, m_page.currentRow());
    write(std::move(rows), row);
}

void AdminController::write(std::vector<UserAccount> rows, int selectedRow)
{
    if (runUserOperation(m_services.dialogs(), [&] { m_services.accounts().writeUsers(rows); })) {
        m_page.model().setRows(std::move(rows));
    } else {
        readGrid();
        selectedRow = std::min(selectedRow, m_page.model().rowCount() - 1);
    }
    m_page.selectRow(selectedRow);
    showCurrentAccount();
}

void AdminController::readGrid()
{
    std::vector<UserAccount> lines;
    runUserOperation(m_services.dialogs(), [&] { lines = m_services.accounts().readUsers(); });
    m_page.model().setRows(AccountListModel::rowsOf(lines));
}

void AdminController::changePassword()
{
    // On a failure the password edits keep their text so that the user can try again.
    if (!runUserOperation(m_services.dialogs(), [this] {
            m_services.accounts().writeAdministratorPassword(m_page.newAdministratorPassword());
        }))
        return;
    m_page.clearPasswordChange();
}

void AdminController::importRegister()
{
    std::optional<ImportResult> outcome;
    {
        TTaviroImportForm dialog(m_services.records(), m_services.dialogs(),
                                 QString::fromStdString(m_services.directory().path()),
                                 m_services.environment().chooseImportFile, m_page.window());
        m_host.runDialog(dialog);
        outcome = dialog.importResult();
    }
    // Once the dialog is closed the status bar says what it did (when nothing was taken, the
    // dialog has said so in the information dialog too).
    if (outcome)
        m_host.showStatusMessage(QString::fromStdString(importSummaryText(*outcome)));
    // The navigation panel shows the imported units; this page's checklist keeps what it showed
    // when the page was opened.
    runUserOperation(m_services.dialogs(), [this] {
        m_navigation.fillUnitList();
        m_navigation.fillTree();
    });
}

void AdminController::close()
{
    // A report that comes after the page is left is not shown.
    if (m_check && !m_check->dropped) {
        m_check->dropped = true;
        m_host.showStatusMessage(QString());
    }
    m_host.returnToStartPage();
    m_navigation.tree()->setFocus();
}

void AdminController::startDataCheck()
{
    // The button is the administrator's only; the page may have been reached some other way.
    if (!isAdministrator(m_services.session().user)) {
        m_services.dialogs().showInformation(kAdministratorOnly);
        return;
    }
    if (m_checkThread)
        return;
    auto run = std::make_shared<DataCheckRun>();
    m_check = run;
    // A lock that stays refused is told in the status bar; the check goes on waiting until the
    // file is free or the page is left.
    auto warn = [this, run](const std::string& message) {
        QMetaObject::invokeMethod(
            run->thread,
            [this, run, text = QString::fromStdString(message)] {
                if (!run->dropped)
                    m_host.showStatusMessage(text);
            },
            Qt::QueuedConnection);
    };
    QThread* thread =
        QThread::create([run, directory = m_services.directory(), warn] { checkOnOwnThread(*run, directory, warn); });
    run->thread = thread;
    m_checkThread.reset(thread);
    // Queued to the interface thread, where the thread object lives.
    QObject::connect(thread, &QThread::finished, thread, [this] { dataCheckFinished(); });
    m_page.setDataCheckRunning(true);
    m_host.showStatusMessage(QStringLiteral("Sprawdzanie danych…"));
    thread->start();
}

void AdminController::dataCheckFinished()
{
    if (m_operations > 0) {
        m_checkReportWaiting = true;
        return;
    }
    m_checkReportWaiting = false;
    const std::shared_ptr<DataCheckRun> run = std::move(m_check);
    // Its events have all come; the object goes once control is back in the event loop.
    m_checkThread.release()->deleteLater();
    m_page.setDataCheckRunning(false);
    if (run->dropped)
        return;
    if (run->failure) {
        m_host.showStatusMessage(QString());
        runUserOperation(m_services.dialogs(), [&run] { std::rethrow_exception(run->failure); });
        return;
    }
    m_host.showStatusMessage(run->lines.constLast());
    TTaviroCheckForm report(run->lines, m_page.window());
    m_host.runDialog(report);
}

} // namespace taviro::ui
