#include "CheckCommand.h"

#include "DataCheck.h"
#include "DataRepair.h"
#include "IoError.h"

#include <ctime>
#include <ostream>

namespace taviro::admin {
namespace {

constexpr int kFindings = 1; // the check ran and found something
constexpr std::string_view kRepairOption = "--repair";

// The local time of the repair, which names its backup copies: YYYYMMDD-HHMMSS.
std::string backupStamp()
{
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    if (const std::tm* local = std::localtime(&now))
        std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local);
    return text;
}

} // namespace

int checkDataFiles(CommandContext& context)
{
    Console& console = context.console;
    bool repair = false;
    for (const std::string& argument : context.arguments) {
        if (argument != kRepairOption) {
            console.err << "Nieznana opcja polecenia check: " << argument << '\n';
            return kUsage;
        }
        repair = true;
    }
    DataCheckReport report;
    try {
        report = checkDataDirectory(context.files);
        for (const DataFinding& finding : report.findings)
            console.out << findingText(finding) << '\n';
        console.out << checkSummary(report) << '\n';
        if (!repair || report.findings.empty())
            return report.findings.empty() ? kSuccess : kFindings;
        const std::vector<std::string> repairs = repairDataDirectory(context.files, report, backupStamp());
        console.out << "Naprawa:\n";
        for (const std::string& line : repairs)
            console.out << line << '\n';
        if (repairs.empty())
            console.out << "Żadnego z tych problemów nie można naprawić bez ryzyka utraty danych.\n";
        // What the repair left is checked again and told, as a plain check would tell it.
        report = checkDataDirectory(context.files);
    } catch (const IoError& failure) {
        console.err << "Nie można było sprawdzić danych: " << failure.what() << '\n';
        return kFailure;
    }
    console.out << "Po naprawie:\n";
    for (const DataFinding& finding : report.findings)
        console.out << findingText(finding) << '\n';
    console.out << checkSummary(report) << '\n';
    return report.findings.empty() ? kSuccess : kFindings;
}

} // namespace taviro::admin
