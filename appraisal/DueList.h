// The list of appraisal deadlines: every live employee of the units asked for, with the next due
// date and its state, read afresh from the files; and the list as a CSV file a Polish spreadsheet
// opens as it is.
#pragma once

#include "Deadlines.h"
#include "RecordFiles.h"
#include "Register.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace taviro {

struct DueRow
{
    UnitEntry unit;
    EmployeeCard employee;
    Deadline deadline;
};

// Every live employee of every live unit that `visible` lets through, unit by unit in file order,
// then sorted by the latest due date (earliest first; rows with none last, in file order).
std::vector<DueRow> dueList(RecordFiles& records, const Date& today, const DeadlinePeriods& periods,
                            const std::function<bool(const UnitEntry&)>& visible);

// The periods of the data directory's Terminy.ini, or the defaults when it is missing; a file that
// cannot be read leaves the defaults and says so among the problems.
PeriodsReading readDeadlinePeriodsFile(SharedFileAccess& files);

// Whether the row needs doing something: overdue, due within 30 days, or in its reappraisal window.
bool needsAction(const DueRow& row);

// The level of the last appraisal as the list shows it ("Dobra" …), empty without one.
std::string lastLevelText(const Deadline& deadline);
// "dd-mm-yyyy", or "dd-mm-yyyy – dd-mm-yyyy" for a window after a negative appraisal, or empty.
std::string dueText(const Deadline& deadline);

// The state as the list shows it, with the number of unfinished sheets when there are any:
// "w terminie (niezakończone: 1)".
std::string dueStateCell(const Deadline& deadline);

// What the list shows of a row, column by column: unit, "first name surname", position, last
// appraisal's date and level, due date or window, state.
inline constexpr std::size_t kDueCellCount = 7;
std::array<std::string, kDueCellCount> dueCells(const DueRow& row);

// The rows as CSV: UTF-8 with a byte-order mark, fields separated by ";" and quoted where they hold
// one, lines ended with CR LF, dates dd-mm-yyyy; a heading line first.
std::string dueListCsv(const std::vector<DueRow>& rows);

} // namespace taviro
