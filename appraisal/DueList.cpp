#include "DueList.h"

#include "IoError.h"
#include "SheetFilling.h"

#include <algorithm>

namespace taviro {
namespace {

std::string csvField(const std::string& value)
{
    if (value.find_first_of(";\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ';';
        line += csvField(fields[i]);
    }
    return line + "\r\n";
}

std::string dateText(const std::optional<Date>& date)
{
    return date ? formatDate(*date) : std::string();
}

bool dueEarlier(const DueRow& a, const DueRow& b)
{
    if (!b.deadline.latest)
        return a.deadline.latest.has_value();
    if (!a.deadline.latest)
        return false;
    return daysBetween(*a.deadline.latest, *b.deadline.latest) > 0;
}

} // namespace

std::vector<DueRow> dueList(RecordFiles& records, const Date& today, const DeadlinePeriods& periods,
                            const std::function<bool(const UnitEntry&)>& visible)
{
    std::vector<DueRow> rows;
    EmployeeRegister employees(records);
    AppraisalRegister appraisals(records);
    std::string buffer; // one for every appraisal file read
    for (const UnitEntry& unit : UnitRegister(records).liveUnits()) {
        if (!visible(unit))
            continue;
        for (EmployeeCard& employee : employees.liveCards(unit.id)) {
            const std::vector<AppraisalSummary> live = appraisals.liveSummaries(employee.id, buffer);
            Deadline deadline = appraisalDeadline(today, employee.clericalSince, live, periods);
            rows.push_back({unit, std::move(employee), deadline});
        }
    }
    std::stable_sort(rows.begin(), rows.end(), dueEarlier);
    return rows;
}

PeriodsReading readDeadlinePeriodsFile(SharedFileAccess& files)
{
    try {
        const auto text = files.readIfExists(deadlinePeriodsFileName());
        return text ? readDeadlinePeriods(cp1250ToUtf8(*text)) : PeriodsReading{};
    } catch (const IoError& error) {
        return {{},
                {std::string(deadlinePeriodsFileName()) + ": plik nie daje się odczytać (" + error.systemText() +
                 "); obowiązują terminy domyślne."}};
    }
}

bool needsAction(const DueRow& row)
{
    const DueState state = row.deadline.state;
    return state == DueState::Overdue || state == DueState::DueSoon || state == DueState::ReappraisalWindow;
}

std::string lastLevelText(const Deadline& deadline)
{
    return deadline.lastDate ? std::string(previousLevelText(deadline.lastLevel)) : std::string();
}

std::string dueText(const Deadline& deadline)
{
    if (!deadline.latest)
        return {};
    if (deadline.lastDate && deadline.lastLevel == 1)
        return dateText(deadline.earliest) + " – " + dateText(deadline.latest);
    return dateText(deadline.latest);
}

std::string dueStateCell(const Deadline& deadline)
{
    std::string state(dueStateText(deadline.state));
    if (deadline.unfinished > 0)
        state += " (niezakończone: " + std::to_string(deadline.unfinished) + ")";
    return state;
}

std::array<std::string, kDueCellCount> dueCells(const DueRow& row)
{
    const Deadline& due = row.deadline;
    return {row.unit.name,         row.employee.firstName + " " + row.employee.surname,
            row.employee.position, dateText(due.lastDate),
            lastLevelText(due),    dueText(due),
            dueStateCell(due)};
}

std::string dueListCsv(const std::vector<DueRow>& rows)
{
    std::string csv = "\xEF\xBB\xBF";
    csv += csvLine(
        {"Komórka", "Imię", "Nazwisko", "Stanowisko", "Ostatnia ocena", "Poziom", "Termin", "Stan", "Niezakończone"});
    for (const DueRow& row : rows) {
        const Deadline& due = row.deadline;
        csv += csvLine({row.unit.name, row.employee.firstName, row.employee.surname, row.employee.position,
                        dateText(due.lastDate), lastLevelText(due), dueText(due), std::string(dueStateText(due.state)),
                        due.unfinished > 0 ? std::to_string(due.unfinished) : std::string()});
    }
    return csv;
}

} // namespace taviro
