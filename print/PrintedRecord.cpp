#include "PrintedRecord.h"

#include "RecordFiles.h"
#include "Register.h"

namespace taviro::print {

LoadedLines printedRecord(AppraisalRegister& appraisals, const std::string& employeeId, const std::string& appraisalId)
{
    LoadedLines lines;
    for (const Field& field : appraisals.read(employeeId, appraisalId))
        lines.push_back(field.key + field.value);
    return lines;
}

QString loadedValue(const LoadedLines& lines, std::string_view key)
{
    return QString::fromStdString(valueFromLoaded(lines, key));
}

} // namespace taviro::print
