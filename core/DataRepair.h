// The repair of a data directory after its check: only what cannot lose anything. A counter below
// the highest identifier in use is raised above it; the second copy of an employee that a stopped
// move left in two units is removed when both copies are the same byte for byte and it can be told
// which unit the employee was leaving; old leftovers in "Temp" that nobody holds are removed; data
// and lock files get the permissions their folder gives to other users. Every data file changed is
// first copied whole to "Kopie/<name>.<YYYYMMDD-HHMMSS>" and then changed under its exclusive lock
// as the program changes it: a counter in place, a record file by replacing it with a complete
// copy in one atomic step.
#pragma once

#include "DataCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace taviro {

// One line per repair made or refused, in Polish ("Person.cou: …"), in the order of the report's
// findings. stamp names the backup copies of this run (YYYYMMDD-HHMMSS).
std::vector<std::string> repairDataDirectory(SharedFileAccess& files, const DataCheckReport& report,
                                             const std::string& stamp, std::int64_t leftoverAgeSeconds = 24 * 60 * 60);

} // namespace taviro
