// taviro-admin due: the appraisal deadlines of every live employee, as on the program's deadlines
// page, on the terminal or into a CSV file, for the administrator's monthly report.
#pragma once

#include "AdminCommands.h"

namespace taviro::admin {

// due [--unit ID] [--before DD-MM-YYYY] [--csv PLIK]: every live employee of every live unit (or of
// the one unit asked for) with the last appraisal, the next due date or window and its state,
// sorted by the due date; --before keeps the rows due before that day. Without --csv one row per
// line with the fields separated by " | " and a heading line; with it the CSV the deadlines page
// exports, and one line saying where it went. Exits 1 for a bad option value or an unknown unit.
int listDueAppraisals(CommandContext& context);

} // namespace taviro::admin
