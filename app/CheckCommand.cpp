#include "CheckCommand.h"

#include "DataCheck.h"
#include "IoError.h"

#include <ostream>

namespace taviro::admin {
namespace {

constexpr int kFindings = 1; // the check ran and found something

} // namespace

int checkDataFiles(CommandContext& context)
{
    Console& console = context.console;
    DataCheckReport report;
    try {
        report = checkDataDirectory(context.files);
    } catch (const IoError& failure) {
        console.err << "Nie można było sprawdzić danych: " << failure.what() << '\n';
        return kFailure;
    }
    for (const DataFinding& finding : report.findings)
        console.out << findingText(finding) << '\n';
    console.out << checkSummary(report) << '\n';
    return report.findings.empty() ? kSuccess : kFindings;
}

} // namespace taviro::admin
