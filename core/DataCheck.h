// The check of a data directory: reads every data file once, under its shared lock and one file at a
// time, and says what is wrong with it in Polish, without changing anything. It looks for damaged
// records, bytes the files cannot hold, counters that would hand out a used identifier, identifiers
// used twice, an employee left in two units by a move that stopped half-way, files of units or
// employees that do not exist, missing interview-notes documents and old leftovers in "Temp".
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

struct DataCheckReport
{
    std::vector<DataFinding> findings;
    std::size_t filesRead = 0;
};

// Checks the data directory of files. Findings come file by file: Cell.dat, the Pe files, the Gr
// files (each in name order), the counters, then "Temp"; within a file by line. A leftover in
// "Temp" counts once it has not changed for leftoverAgeSeconds. Throws IoError when a file or the
// folder itself cannot be read: the check could not be made then.
DataCheckReport checkDataDirectory(SharedFileAccess& files, std::int64_t leftoverAgeSeconds = 24 * 60 * 60);

// "Cell.dat, wiersz 12: …", or "Cell.cou: …" for a finding about a whole file.
std::string findingText(const DataFinding& finding);
// The closing line: how many files were read and how many findings there are.
std::string checkSummary(const DataCheckReport& report);

} // namespace taviro
