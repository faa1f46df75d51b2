#include "DueCommand.h"

#include "DueList.h"

#include "Clock.h"
#include "Counters.h"
#include "IoError.h"
#include "RecordFiles.h"
#include "TextCodec.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

namespace taviro::admin {
namespace {

struct DueOptions
{
    std::optional<std::string> unitId; // six digits
    std::optional<Date> before;
    std::optional<std::string> csvPath;
};

// The options as given, or the reason they cannot be taken.
std::optional<DueOptions> parseOptions(const std::vector<std::string>& arguments, std::string& error)
{
    DueOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option != "--unit" && option != "--before" && option != "--csv") {
            error = "Nieznana opcja polecenia due: " + option;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            error = "Opcja " + option + " wymaga wartości.";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (option == "--unit") {
            const auto number = parseInteger(value);
            if (!number || *number < 1 || *number > 999999) {
                error = "Identyfikator komórki musi być liczbą od 1 do 999999: " + value;
                return std::nullopt;
            }
            options.unitId = identifierText(*number);
        } else if (option == "--before") {
            options.before = parseDate(value);
            if (!options.before) {
                error = "Data w opcji --before musi mieć postać DD-MM-RRRR: " + value;
                return std::nullopt;
            }
        } else {
            options.csvPath = value;
        }
    }
    return options;
}

bool isLiveUnit(RecordFiles& records, const std::string& id)
{
    const std::vector<UnitEntry> units = UnitRegister(records).liveUnits();
    return std::any_of(units.begin(), units.end(), [&](const UnitEntry& unit) { return unit.id == id; });
}

bool dueBefore(const DueRow& row, const Date& day)
{
    return row.deadline.latest && daysBetween(*row.deadline.latest, day) > 0;
}

void printTable(std::ostream& out, const std::vector<DueRow>& rows)
{
    out << "Komórka | Pracownik | Stanowisko | Ostatnia ocena | Poziom | Termin | Stan\n";
    for (const DueRow& row : rows) {
        const Deadline& due = row.deadline;
        out << row.unit.name << " | " << row.employee.surname << ' ' << row.employee.firstName << " | "
            << row.employee.position << " | " << (due.lastDate ? formatDate(*due.lastDate) : std::string()) << " | "
            << lastLevelText(due) << " | " << dueText(due) << " | " << dueStateCell(due) << '\n';
    }
}

// Written beside the target and renamed over it, so that a report opened in a spreadsheet is never
// found half-written.
bool writeFile(const std::string& utf8Path, const std::string& bytes)
{
    const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error)
        std::filesystem::remove(temporary, error);
    return !error;
}

} // namespace

int listDueAppraisals(CommandContext& context)
{
    Console& console = context.console;
    std::string error;
    const auto options = parseOptions(context.arguments, error);
    if (!options) {
        console.err << error << '\n';
        return kRefused;
    }
    // The report only reads: no session number is drawn for it.
    Counters counters(context.files);
    RecordFiles records(context.files, counters, "00000000");
    if (options->unitId && !isLiveUnit(records, *options->unitId)) {
        console.err << "Nie ma komórki o identyfikatorze " << *options->unitId << ".\n";
        return kRefused;
    }
    const PeriodsReading periods = readDeadlinePeriodsFile(context.files);
    for (const std::string& problem : periods.problems)
        console.err << problem << '\n';
    const SystemClock systemClock;
    const Clock& clock = console.clock ? *console.clock : systemClock;
    std::vector<DueRow> rows = dueList(records, clock.today(), periods.periods, [&](const UnitEntry& unit) {
        return !options->unitId || unit.id == *options->unitId;
    });
    if (options->before)
        std::erase_if(rows, [&](const DueRow& row) { return !dueBefore(row, *options->before); });
    if (!options->csvPath) {
        printTable(console.out, rows);
        return kSuccess;
    }
    if (!writeFile(*options->csvPath, dueListCsv(rows))) {
        console.err << "Nie można zapisać pliku " << *options->csvPath << ".\n";
        return kFailure;
    }
    console.out << "Zapisano " << polishCount(static_cast<long long>(rows.size()), "wiersz", "wiersze", "wierszy")
                << " do pliku " << *options->csvPath << ".\n";
    return kSuccess;
}

} // namespace taviro::admin
