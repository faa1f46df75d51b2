// The backup copy of a data directory, made while workstations keep working, and its later check.
//
// Every top-level file of the data directory is copied into an empty destination folder; the
// folders "Temp", "Locks" and "Kopie" are not: they hold working files, lock files and the repair's
// own copies. A record or counter file is read whole under its shared lock, so no write of the
// program is ever seen half-done; the other files (documents, help texts, templates, settings) are
// edited by other programs and copied as they are. The files go in an order that keeps the copy
// consistent although it is not taken at one instant: whatever a file names was written before it
// and is copied after it: the appraisal files first, the documents they name next, then the
// employee files, the account files, the unit file, and the counters last, so that no counter in
// the copy stands below an identifier the copy holds. The employee files are read under their locks
// held all at once: a move holds its two files together, so the copy sees it whole or not at all.
//
// The manifest, "Kopia.sha256", comes last and marks a complete copy: one line per file with its
// size in bytes, its SHA-256 digest and its name.
#pragma once

#include "SharedFiles.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

inline constexpr std::string_view kBackupManifestName = "Kopia.sha256";

struct BackupFile
{
    std::string name;
    std::uint64_t size = 0;
    std::string sha256;
};

struct BackupReport
{
    std::vector<BackupFile> files;     // in name order, as the manifest lists them
    std::vector<std::string> warnings; // files that could not be read and are not in the copy
};

// Why the destination cannot take a copy (it is not empty, or is not a folder), or nothing.
std::optional<std::string> backupRefusal(const std::string& destination);

// Copies the data directory of files into destination (created when missing; see backupRefusal).
// heading is the manifest's first comment line. Throws IoError when a record file cannot be read
// or the copy cannot be written.
BackupReport backupDataDirectory(SharedFileAccess& files, const std::string& destination, const std::string& heading);

struct BackupVerification
{
    std::size_t filesChecked = 0;
    std::vector<std::string> problems; // in Polish, one per file or manifest line
};

// Rechecks a copy against its manifest: every file listed is there with its size and digest, and no
// other file is. Throws IoError when the folder cannot be read at all.
BackupVerification verifyBackup(const std::string& destination);

// "Kopia zgodna ze spisem: …" or how many problems were found.
std::string verificationSummary(const BackupVerification& verification);

} // namespace taviro
