// What the printing tests share: a filled appraisal as its record file holds it, with Polish
// letters and multi-line values, and the unit and employee it belongs to.
#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

namespace taviro::test {

// Unit 000001 "Urząd Gminy Łęczyca" in Łęczyca, evaluator Zofia Żak.
RecordLines printedUnitRecord();
// Employee 000005, Małgorzata Wiśniewska.
RecordLines printedEmployeeRecord();
// A filled appraisal of employee 000005 with that identifier and end of its period: two chosen
// criteria and an additional one, December 2026, level "dobrym", a two-line opinion.
RecordLines filledAppraisalRecord(const std::string& id, const std::string& periodEnd = "31-12-2026");

// Writes the unit, the employee and the appraisals into the data directory.
void writePrintedData(const TemporaryDataDirectory& dir, const std::vector<RecordLines>& appraisals);

} // namespace taviro::test
