#include "DeadlinesController.h"

#include "NavigationPanel.h"
#include "PageHost.h"
#include "PrintController.h"
#include "Services.h"
#include "UserOperation.h"
#include "pages/DeadlinesPage.h"

#include "DueListPrint.h"
#include "PrintTarget.h"

#include "HelpText.h"
#include "MessageDialogs.h"

#include "Accounts.h"
#include "Clock.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QTextEdit>

namespace taviro::ui {

DeadlinesController::DeadlinesController(Services& services, PageHost& host, NavigationPanel& navigation,
                                         DeadlinesPage& page)
    : m_services(services), m_host(host), m_navigation(navigation), m_page(page)
{
    QObject::connect(&m_page, &DeadlinesPage::helpRequested, &m_page, [this] { m_host.showHelp(); });
    QObject::connect(&m_page, &DeadlinesPage::printRequested, &m_page, [this] { print(); });
    QObject::connect(&m_page, &DeadlinesPage::exportRequested, &m_page, [this] { exportCsv(); });
    QObject::connect(&m_page, &DeadlinesPage::closeRequested, &m_page, [this] { close(); });
    QObject::connect(&m_page, &DeadlinesPage::employeeChosen, &m_page,
                     [this](const std::string& unit, const std::string& employee) { goToEmployee(unit, employee); });
}

void DeadlinesController::run(Command)
{
    CommandLock lock(m_host);
    const PeriodsReading periods = readDeadlinePeriodsFile(m_services.files());
    // A read error goes up before the page is shown: the lock lets go and the start page stays.
    std::vector<DueRow> rows = dueList(m_services.records(), m_services.environment().clock.today(), periods.periods,
                                       m_services.unitVisibility());
    if (!periods.problems.empty()) {
        QStringList problems;
        for (const std::string& problem : periods.problems)
            problems << QString::fromStdString(problem);
        m_services.dialogs().showInformation(problems.join(QLatin1Char('\n')));
    }
    m_page.setRows(std::move(rows));
    HelpText::load(m_services.directory(), QStringLiteral("Terminy.hlp"), *m_page.hintText());
    m_host.showPage(PageId::Deadlines);
    m_page.grid()->setFocus();
    lock.handOverToPage();
}

void DeadlinesController::print()
{
    const print::Printout table = [rows = m_page.shownRows(), filters = m_page.filterText(),
                                   today = m_services.environment().clock.today()](print::PrintCanvas& canvas) {
        print::printDueList(canvas, rows, filters, today);
    };
    runUserOperation(m_services.dialogs(), [&] {
        withPrintTarget(m_services.environment(), [&](print::PrintTarget& target) {
            if (target.choosePrinter(m_page.window()))
                target.print(table);
        });
    });
}

void DeadlinesController::exportCsv()
{
    Environment& environment = m_services.environment();
    const QString suggested =
        QDir(QString::fromStdString(m_services.directory().path())).filePath(QStringLiteral("Terminy ocen.csv"));
    const QString path = environment.chooseExportFile
                             ? environment.chooseExportFile(&m_page, suggested)
                             : QFileDialog::getSaveFileName(&m_page, QStringLiteral("Eksportuj terminy ocen"),
                                                            suggested, QStringLiteral("Pliki CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray csv = QByteArray::fromStdString(dueListCsv(m_page.shownRows()));
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        m_services.dialogs().showInformation(QStringLiteral("Nie udało się zapisać pliku ") +
                                             QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                             file.errorString());
        return;
    }
    m_services.dialogs().showInformation(QStringLiteral("Zapisano plik %1 (wierszy z pracownikami: %2).")
                                             .arg(QDir::toNativeSeparators(path))
                                             .arg(m_page.shownRows().size()));
}

void DeadlinesController::goToEmployee(const std::string& unitId, const std::string& employeeId)
{
    close();
    runUserOperation(m_services.dialogs(), [&] { m_navigation.showEmployee(unitId, employeeId); });
}

void DeadlinesController::close()
{
    m_host.returnToStartPage();
    m_navigation.tree()->setFocus();
}

} // namespace taviro::ui
