// taviro-admin check: the administrator's look at the whole data directory while the office works.
#pragma once

#include "AdminCommands.h"

namespace taviro::admin {

// check: reads every data file under its shared lock, one after the other, and writes one line per
// finding ("Cell.dat, wiersz 12: …") and a closing line with the counts; without --repair no data file is changed.
// Exits 0 when nothing was found, 1 when something was, 2 when a file or the folder could not be read. With --repair it
// then makes the repairs that cannot lose anything (see DataRepair.h), says each, checks again and exits as that second
// check says.
int checkDataFiles(CommandContext& context);

} // namespace taviro::admin
