// What the notification prints from: the lines of the unit's record, the lines of the employee's
// record and the interview's dates and time as they stand on page A of the sheet, saved or not.
#pragma once

#include "PrintedRecord.h"

#include <optional>
#include <string>

namespace taviro {
struct Employee;
struct Unit;
} // namespace taviro

namespace taviro::print {

// The page-A values in their stored forms (dd-mm-yyyy, hh:mm:ss).
struct InterviewDates
{
    std::string interviewDate;
    std::string interviewTime;
    std::string notificationDate;
};

// The unit's lines (values as stored), then the employee's (values decoded), then the three dates.
// A unit or employee that was not found gives no lines.
LoadedLines notificationData(const std::optional<Unit>& unit, const std::optional<Employee>& employee,
                             const InterviewDates& dates);

} // namespace taviro::print
