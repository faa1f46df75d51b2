// A small office that the data check finds clean, for the tests of the check, the repair and the
// backup: two units, three employees, two appraisals (one with its notes document), counters
// above every identifier in use, and a rewrite's working file in "Temp".
#pragma once

#include "RecordKeys.h"
#include "TestSupport.h"

#include <cstdint>
#include <string>

namespace taviro::test {

// An appraisal with its interview-notes document, as the sheet editor stores it.
inline RecordLines appraisalWithDocument(const std::string& id, const std::string& document)
{
    RecordLines lines = appraisalRecord(id, "31-12-2025");
    lines.insert(lines.end() - 3, std::string(keys::appraisal::kDocument) + document);
    return lines;
}

// The second unit as the program leaves an imported unit once it has been corrected: the date it
// lacked comes last.
inline const std::string kSeededCells =
    recordFile({unitRecord("000001", "Kadry")}) +
    storedText({"{", "ID=000002", "CELLNAME=Płace", "CELLDELETE=0", "CELLDATE=05-03-2026", "}", ""});

inline void writeSeededOffice(const TemporaryDataDirectory& dir)
{
    dir.write("Cell.dat", kSeededCells);
    dir.write("Pe000001.dat",
              recordFile({employeeRecord("000011", "Jan", "Nowak"), employeeRecord("000012", "Anna", "Kos", true)}));
    dir.write("Pe000002.dat", recordFile({employeeRecord("000021", "Ewa", "Świeża")}));
    dir.write("Gr000011.dat", recordFile({appraisalWithDocument("000101", "Do000001.rtf")}));
    dir.write("Gr000012.dat", recordFile({appraisalRecord("000102", "15-02-2024", true)}));
    dir.write("Do000001.rtf", "{\\rtf1 notatki}");
    dir.write("Cell.cou", counterBytes(3));
    dir.write("Person.cou", counterBytes(22));
    dir.write("Grade.cou", counterBytes(103));
    dir.write("Document.cou", counterBytes(2));
    dir.write("Session.cou", counterBytes(7));
    dir.write(relativeName({"Temp", "Pe00000100000006.tem"}), "a rewrite going on right now");
}

} // namespace taviro::test
