// A record as the printouts read it: its lines "KEY=value" in file order, values decoded (a
// multi-line value holds CR LF), each value looked up the way valueFromLoaded finds it.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace taviro {
class AppraisalRegister;
}

namespace taviro::print {

using LoadedLines = std::vector<std::string>;

// The lines of the appraisal's record from its "ID=" line up to its "}", read afresh; none when
// the record or its file is missing.
LoadedLines printedRecord(AppraisalRegister& appraisals, const std::string& employeeId, const std::string& appraisalId);

// The value of the first line that holds the key; empty when no line does.
QString loadedValue(const LoadedLines& lines, std::string_view key);

} // namespace taviro::print
