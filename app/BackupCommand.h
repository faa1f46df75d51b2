// taviro-admin backup: a consistent copy of the data directory made while the office works, and the
// later check of such a copy against its manifest.
#pragma once

#include "AdminCommands.h"

namespace taviro::admin {

// backup KATALOG: copies every file of the data directory into the new or empty folder KATALOG
// (see DataBackup.h) and says how many files went and where the manifest is. Exits 1 when KATALOG is
// not empty (nothing is written then) or a document could not be read (the copy lacks it and says
// so), 2 when a data file or the copy itself fails.
// backup --verify KATALOG: rechecks every file of the copy against the manifest, one line per
// problem and a closing line; exits 0 for an intact copy, 1 for a damaged or incomplete one, 2 when
// the folder cannot be read.
int backUpDataFiles(CommandContext& context);

} // namespace taviro::admin
