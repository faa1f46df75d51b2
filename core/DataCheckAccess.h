// The parts of the check of a data directory about who may use it: the lines of the user accounts
// file and the permissions of the data and lock files.
#pragma once

#include "DataCheck.h"

#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace taviro::check {

// The findings of the lines of Users.dat (its content as read): a line that is not what the pair
// encoding writes, a decoded line that is not seven fields, and a unit list that names a unit that
// does not exist (unitExists says which do).
void checkUserLines(const std::string& file, std::string_view content,
                    const std::function<bool(long long unit)>& unitExists, std::vector<DataFinding>& findings);

// The data files (names relative to the data directory) and the lock files in "Locks" that other
// users of the shared folder cannot lock or write (see platform::lacksFolderSharing), in that order,
// each in name order.
void checkSharing(const SharedFileAccess& files, const std::vector<std::string>& dataFiles,
                  std::vector<DataFinding>& findings);

// The regular files of a folder, by name, in name order; nothing when the folder is missing or
// cannot be listed (then error says why, when given).
std::vector<std::string> filesIn(const std::string& folder, std::error_code* error = nullptr);

} // namespace taviro::check
