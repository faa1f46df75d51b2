// The printed list of appraisal deadlines: one landscape job of as many pages as the rows need,
// each page with the heading (title, the day of the list, the filters), the column heads, its rows
// and "Strona n z m" at the foot.
#pragma once

#include "PrintCanvas.h"

#include "DueList.h"

#include <vector>

namespace taviro::print {

// "Terminy ocen okresowych"
QString dueListJobTitle();

// The rows that fit one page under the column heads.
inline constexpr int kDueRowsPerPage = 24;

void printDueList(PrintCanvas& canvas, const std::vector<DueRow>& rows, const QString& filters, const Date& today);

} // namespace taviro::print
