// taviro-pdf: the sheets of stored appraisals written to a PDF file without a window, for archiving.
//   taviro-pdf [--data-dir KATALOG] [--parts ABCDE] --employee ID --appraisal ID PLIK.pdf
//   taviro-pdf [--data-dir KATALOG] [--parts ABCDE] --unit ID PLIK.pdf
// The first form writes one appraisal, the second every live appraisal of the unit's employees.
#include "SheetArchive.h"
#include "SheetPrint.h"

#include "Counters.h"
#include "DataDirectory.h"
#include "RecordFiles.h"
#include "Register.h"
#include "SharedFiles.h"
#include "TextCodec.h"
#include "WaitNotifier.h"
#include "platform/PlatformFiles.h"

#include <QGuiApplication>

#include <iostream>
#include <optional>

namespace {

constexpr int kSuccess = 0;
constexpr int kNothingFound = 1;
constexpr int kFailure = 2;
constexpr int kUsage = 64;

struct Request
{
    std::string unit;
    std::string employee;
    std::string appraisal;
    int parts = taviro::print::kAllParts;
    std::string output;
};

const char* usageText()
{
    return "Użycie:\n"
           "  taviro-pdf [--data-dir KATALOG] [--parts ABCDE] --employee ID --appraisal ID PLIK.pdf\n"
           "  taviro-pdf [--data-dir KATALOG] [--parts ABCDE] --unit ID PLIK.pdf\n";
}

// "ACE" → the mask of parts A, C and E; nothing for an empty text or any other letter.
std::optional<int> partsMask(const std::string& letters)
{
    int mask = 0;
    for (const char letter : letters) {
        const int part = (letter >= 'a' ? letter - 'a' : letter - 'A');
        if (part < 0 || part >= taviro::print::kPartCount)
            return std::nullopt;
        mask |= 1 << part;
    }
    return mask == 0 ? std::nullopt : std::optional<int>(mask);
}

// An identifier as typed ("17" or "000017") in its stored form; nothing when it is no number.
std::optional<std::string> identifier(const std::string& text)
{
    const auto value = taviro::parseInteger(text);
    if (!value || *value < 0)
        return std::nullopt;
    return taviro::identifierText(*value);
}

bool takeOption(Request& request, const std::string& option, const std::string& value)
{
    if (option == "--parts") {
        const auto mask = partsMask(value);
        request.parts = mask.value_or(0);
        return mask.has_value();
    }
    const auto id = identifier(value);
    if (!id)
        return false;
    if (option == "--unit")
        request.unit = *id;
    else if (option == "--employee")
        request.employee = *id;
    else if (option == "--appraisal")
        request.appraisal = *id;
    else
        return false;
    return true;
}

std::optional<Request> parse(const std::vector<std::string>& arguments)
{
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--data-dir=", 0) == 0)
            continue;
        if (argument.rfind("--", 0) == 0) {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            if (argument != "--data-dir" && !takeOption(request, argument, arguments[i + 1]))
                return std::nullopt;
            ++i;
        } else if (request.output.empty()) {
            request.output = argument;
        } else {
            return std::nullopt;
        }
    }
    const bool oneAppraisal = !request.employee.empty() && !request.appraisal.empty() && request.unit.empty();
    const bool wholeUnit = !request.unit.empty() && request.employee.empty() && request.appraisal.empty();
    if (request.output.empty() || (!oneAppraisal && !wholeUnit))
        return std::nullopt;
    return request;
}

std::vector<taviro::print::StoredAppraisal> sheetsOf(const Request& request, taviro::RecordFiles& records)
{
    taviro::AppraisalRegister appraisals(records);
    if (!request.unit.empty()) {
        taviro::EmployeeRegister employees(records);
        return taviro::print::liveAppraisalsOfUnit(employees, appraisals, request.unit);
    }
    if (appraisals.read(request.employee, request.appraisal).empty())
        return {};
    return {{request.employee, request.appraisal}};
}

int exportSheets(const Request& request, const taviro::DataDirectory& directory)
{
    taviro::ConsoleWaitNotifier notifier;
    taviro::SharedFileAccess files(directory, notifier);
    taviro::Counters counters(files);
    // Only reading: no temporary file is ever made, so no session number is drawn.
    taviro::RecordFiles records(files, counters, "00000000");
    const auto sheets = sheetsOf(request, records);
    if (sheets.empty()) {
        std::cerr << "Nie znaleziono żadnej oceny do wydruku.\n";
        return kNothingFound;
    }
    taviro::AppraisalRegister appraisals(records);
    if (!taviro::print::writeSheetsPdf(appraisals, sheets, request.parts, QString::fromStdString(request.output))) {
        std::cerr << "Nie można zapisać pliku " << request.output << ".\n";
        return kFailure;
    }
    std::cout << "sheets=" << sheets.size() << "\n";
    return kSuccess;
}

} // namespace

int main(int argc, char** argv)
{
    // No window: the fonts and the PDF writer work on the offscreen platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::vector<std::string> arguments = taviro::platform::commandLineArguments(argc, argv);
    const auto request = parse(arguments);
    if (!request) {
        std::cerr << usageText();
        return kUsage;
    }
    try {
        return exportSheets(*request, taviro::DataDirectory::fromCommandLine(arguments));
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return kFailure;
    }
}
