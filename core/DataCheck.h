// The check of a data directory: reads every data file once, under its shared lock and one file at a
// time, and says what is wrong with it in Polish, without changing anything. It looks for damaged
// records, bytes the files cannot hold, counters that would hand out a used identifier, identifiers
// used twice, an employee left in two units by a move that stopped half-way, files of units or
// employees that do not exist, missing interview-notes documents, old leftovers in "Temp", account
// lines that do not decode or name units that do not exist, and files other users cannot lock.
#pragma once

#include "SharedFiles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace taviro {

// One thing found wrong: the file (relative to the data directory), the line it is on (counting
// from 1; 0 for the file as a whole) and what is wrong, in Polish.
struct DataFinding
{
    std::string file;
    std::size_t line = 0;
    std::string text;
    bool operator==(const DataFinding&) const = default;
};

// A counter that would hand out an identifier in use: the highest one in use (the counter file may
// be missing or too low; a damaged counter file is not one of these).
struct CounterBehind
{
    std::string file;
    long long highest = 0;
};

// One employee in two Pe files under the same name (a move that stopped half-way).
struct EmployeeTwice
{
    long long id = 0;
    std::string firstFile; // in name order
    std::string secondFile;
};

struct DataCheckReport
{
    std::vector<DataFinding> findings;
    std::size_t filesRead = 0;
    // What the repair needs to know of some findings (see DataRepair.h).
    std::vector<CounterBehind> countersBehind;
    std::vector<EmployeeTwice> employeesTwice;
};

// Checks the data directory of files. Findings come file by file: Cell.dat, the Pe files, the Gr
// files (each in name order), the counters, Users.dat, "Temp", then the permissions of the data
// files and of the lock files; within a file by line. A leftover in
// "Temp" counts once it has not changed for leftoverAgeSeconds. Throws IoError when a file or the
// folder itself cannot be read: the check could not be made then.
DataCheckReport checkDataDirectory(SharedFileAccess& files, std::int64_t leftoverAgeSeconds = 24 * 60 * 60);

// "Cell.dat, wiersz 12: …", or "Cell.cou: …" for a finding about a whole file.
std::string findingText(const DataFinding& finding);
// The closing line: how many files were read and how many findings there are.
std::string checkSummary(const DataCheckReport& report);

} // namespace taviro
