#include "PrintController.h"

#include "NavigationPanel.h"
#include "PageHost.h"
#include "Services.h"
#include "UserOperation.h"

#include "NotificationData.h"
#include "NotificationPrint.h"
#include "SheetPrint.h"
#include "SystemPrintTarget.h"
#include "TaviroPrintCode.h"
#include "TaviroSendCode.h"

#include "AppraisalRecord.h"
#include "Counters.h"

namespace taviro::ui {

void withPrintTarget(Environment& environment, const std::function<void(print::PrintTarget& target)>& use)
{
    if (environment.printTarget) {
        use(*environment.printTarget);
        return;
    }
    print::SystemPrintTarget platform;
    use(platform);
}

PrintController::PrintController(Services& services, PageHost& host, NavigationPanel& navigation)
    : m_services(services), m_host(host), m_navigation(navigation)
{}

bool PrintController::handles(Command command) const
{
    return command == Command::PrintAppraisal;
}

void PrintController::run(Command)
{
    const auto employee = m_navigation.selectedEmployeeId();
    const auto appraisal = m_navigation.selectedAppraisalId();
    if (employee && appraisal) {
        // A printout that fails is told here, so that the focus goes back to the tree all the same.
        runUserOperation(m_services.dialogs(),
                         [&] { printAppraisal(identifierText(*employee), identifierText(*appraisal)); });
        m_navigation.tree()->setFocus();
    }
}

void PrintController::printAppraisal(const std::string& employeeId, const std::string& appraisalId)
{
    CommandLock lock(m_host);
    AppraisalRegister appraisals = m_services.appraisals();
    const auto sheet = [&](int parts) {
        return [record = print::printedRecord(appraisals, employeeId, appraisalId), parts](print::PrintCanvas& canvas) {
            print::printSheet(canvas, record, parts);
        };
    };
    withPrintTarget(m_services.environment(), [&](print::PrintTarget& target) {
        print::TTaviroPrintForm form(
            [&](int parts, QWidget* over) {
                runUserOperation(m_services.dialogs(), [&] { target.preview(sheet(parts), over); });
            },
            m_navigation.window());
        m_host.runDialog(form);
        if (form.result() != QDialog::Accepted || !target.choosePrinter(m_navigation.window()))
            return;
        target.print(sheet(form.partsMask()));
    });
}

void printNotification(Services& services, PageHost& host, const std::string& unitId, const std::string& employeeId,
                       const Appraisal& pageA, QWidget* parent)
{
    const auto notification = [&](int selection) {
        const print::LoadedLines data =
            print::notificationData(services.units().read(unitId), services.employees().read(unitId, employeeId),
                                    {pageA.interviewDate, pageA.interviewTime, pageA.notificationDate});
        return [data, selection](print::PrintCanvas& canvas) { print::printNotification(canvas, data, selection); };
    };
    runUserOperation(services.dialogs(), [&] {
        withPrintTarget(services.environment(), [&](print::PrintTarget& target) {
            print::TTaviroSendForm form(
                [&](int selection, QWidget* over) {
                    runUserOperation(services.dialogs(), [&] { target.preview(notification(selection), over); });
                },
                parent);
            host.runDialog(form);
            if (form.result() != QDialog::Accepted || !target.choosePrinter(parent))
                return;
            target.print(notification(form.selection()));
        });
    });
}

} // namespace taviro::ui
