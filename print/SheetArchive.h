// The sheets of stored appraisals written to one PDF file without a window, for archiving: one
// appraisal, or every live appraisal of a unit, each with the chosen parts, one page per part.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace taviro {
class AppraisalRegister;
class EmployeeRegister;
} // namespace taviro

namespace taviro::print {

struct StoredAppraisal
{
    std::string employeeId;
    std::string appraisalId;
};

// The live appraisals of the unit's live employees: employees in file order, each one's appraisals
// in file order.
std::vector<StoredAppraisal> liveAppraisalsOfUnit(EmployeeRegister& employees, AppraisalRegister& appraisals,
                                                  const std::string& unitId);

// Prints the parts of every appraisal into the PDF file (A4), each record read afresh. False when
// the file cannot be written.
bool writeSheetsPdf(AppraisalRegister& appraisals, const std::vector<StoredAppraisal>& sheets, int partsMask,
                    const QString& path);

} // namespace taviro::print
