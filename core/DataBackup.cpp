#include "DataBackup.h"
#include "DataCheckAccess.h"
#include "DataCheckText.h"

#include "RecordFiles.h"
#include "RecordText.h"
#include "Sha256.h"
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <functional>
#include <set>

namespace taviro {
namespace {

using check::numberInName;

constexpr std::size_t kChunkBytes = 1 << 20;

// The order in which the files go into the copy (see the header).
enum class Phase
{
    Appraisals,
    Other, // documents, help texts, templates, settings: not written under our locks
    Employees,
    Accounts, // every other ".dat" file
    Units,
    Counters,
};
constexpr std::array kPhases = {Phase::Appraisals, Phase::Other, Phase::Employees,
                                Phase::Accounts,   Phase::Units, Phase::Counters};

Phase phaseOf(const std::string& name)
{
    if (numberInName(name, "Gr", ".dat"))
        return Phase::Appraisals;
    if (numberInName(name, "Pe", ".dat"))
        return Phase::Employees;
    if (name == unitsFileName())
        return Phase::Units;
    if (name.ends_with(".cou"))
        return Phase::Counters;
    if (name.ends_with(".dat"))
        return Phase::Accounts;
    return Phase::Other;
}

DataDirectory folderOf(const std::string& path)
{
    return DataDirectory(DataDirectory::withTrailingSeparator(path, platform::kSeparator));
}

[[noreturn]] void failWriting(const std::string& path, platform::ErrorCode error)
{
    const std::string text = platform::errorText(error);
    throw IoError(path, text, "Nie można zapisać kopii w pliku " + path + ": " + text);
}

std::vector<std::string> listing(const std::string& folder)
{
    std::error_code error;
    std::vector<std::string> names = check::filesIn(folder, &error);
    if (error)
        throw IoError(folder, error.message(),
                      "Nie można odczytać zawartości katalogu " + folder + ": " + error.message());
    return names;
}

platform::File createTarget(const std::string& path)
{
    platform::ErrorCode error = 0;
    platform::File file = platform::File::open(path, platform::Access::Write, platform::Creation::CreateAlways,
                                               platform::Sharing::Nobody, error);
    if (!file.isOpen())
        failWriting(path, error);
    return file;
}

void failIfError(platform::ErrorCode error, const std::string& path)
{
    if (error != 0)
        failWriting(path, error);
}

// Reads the open file to its end in blocks, each handed on with its offset; the error of a read
// that failed, or 0. The bytes read in all come back in total.
platform::ErrorCode readInBlocks(const platform::File& input, std::uint64_t& total,
                                 const std::function<void(std::string_view block, std::uint64_t offset)>& onBlock)
{
    std::string block(kChunkBytes, '\0');
    total = 0;
    for (;;) {
        std::size_t got = 0;
        if (const platform::ErrorCode error = input.readAt(total, block.data(), block.size(), got))
            return error;
        onBlock(std::string_view(block.data(), got), total);
        total += got;
        if (got < block.size())
            return 0;
    }
}

class Backup
{
public:
    Backup(SharedFileAccess& files, const std::string& destination) : m_files(files), m_target(folderOf(destination)) {}

    BackupReport run(const std::string& heading)
    {
        failIfError(platform::createDirectories(m_target.path()), m_target.path());
        // Each group is taken from a listing of its own: a file made while the copy runs goes in
        // with its group when its group comes after it, never with a group before it.
        for (const Phase phase : kPhases) {
            std::vector<std::string> names;
            for (std::string& name : listing(m_files.directory().path())) {
                if (phaseOf(name) == phase && name != kBackupManifestName && !m_copied.contains(name))
                    names.push_back(std::move(name));
            }
            if (phase == Phase::Employees)
                copyHeldTogether(names);
            else if (phase == Phase::Other)
                for (const std::string& name : names)
                    copyAsItIs(name);
            else
                for (const std::string& name : names)
                    copyRecordFile(name);
        }
        std::sort(m_report.files.begin(), m_report.files.end(),
                  [](const BackupFile& a, const BackupFile& b) { return a.name < b.name; });
        writeManifest(heading);
        return std::move(m_report);
    }

private:
    void copyRecordFile(const std::string& name)
    {
        if (const auto content = m_files.readIfExists(name, m_buffer))
            write(name, *content);
    }

    // Every employee file under its shared lock at once, taken in name order as a move takes its
    // two, so that waiting for one while holding the others never closes a circle with a move.
    void copyHeldTogether(const std::vector<std::string>& names)
    {
        std::vector<std::pair<std::string, std::string>> contents;
        {
            std::vector<SharedFile> held;
            for (const std::string& name : names) {
                if (std::optional<SharedFile> file = m_files.openIfExists(name, OpenKind::TextRead)) {
                    contents.emplace_back(name, file->readAll());
                    held.push_back(std::move(*file));
                }
            }
        } // every lock goes before the copies are written
        for (const auto& [name, content] : contents)
            write(name, content);
    }

    // A file the program does not write under its locks, read in blocks with its digest made on
    // the way. One that cannot be read (a document open in a word processor that forbids reading)
    // is left out of the copy and said.
    void copyAsItIs(const std::string& name)
    {
        platform::ErrorCode error = 0;
        const std::string source = m_files.fullPath(name);
        const platform::File input = platform::File::open(
            source, platform::Access::Read, platform::Creation::OpenExisting, platform::Sharing::Readers, error);
        if (!input.isOpen()) {
            if (!platform::isNotFound(error))
                m_report.warnings.push_back(
                    name + ": nie skopiowano, nie można odczytać pliku: " + platform::errorText(error));
            return;
        }
        const std::string path = m_target.file(name);
        platform::File output = createTarget(path);
        Sha256 digest;
        std::uint64_t offset = 0;
        const platform::ErrorCode failure = readInBlocks(input, offset, [&](std::string_view block, std::uint64_t at) {
            digest.update(block);
            failIfError(output.writeAt(at, block.data(), block.size()), path);
        });
        if (failure) {
            output.close();
            platform::removeFile(path);
            m_report.warnings.push_back(name + ": nie skopiowano, błąd odczytu: " + platform::errorText(failure));
            return;
        }
        finish(output, path);
        note(name, offset, digest.hexDigest());
    }

    void write(const std::string& name, std::string_view content)
    {
        const std::string path = m_target.file(name);
        platform::File output = createTarget(path);
        failIfError(output.writeAt(0, content.data(), content.size()), path);
        finish(output, path);
        note(name, content.size(), sha256Hex(content));
    }

    static void finish(platform::File& output, const std::string& path)
    {
        failIfError(output.flush(), path);
        failIfError(output.close(), path);
    }

    void note(const std::string& name, std::uint64_t size, std::string digest)
    {
        m_copied.insert(name);
        m_report.files.push_back({name, size, std::move(digest)});
    }

    // Written last, to a working name first: a manifest in the copy means every file before it
    // reached the disk.
    void writeManifest(const std::string& heading)
    {
        std::string text = "# " + heading + "\r\n# rozmiar w bajtach, SHA-256, nazwa pliku\r\n";
        for (const BackupFile& file : m_report.files)
            text += std::to_string(file.size) + " " + file.sha256 + " " + file.name + "\r\n";
        const std::string manifest = m_target.file(kBackupManifestName);
        const std::string working = manifest + ".tmp";
        platform::File output = createTarget(working);
        failIfError(output.writeAt(0, text.data(), text.size()), working);
        finish(output, working);
        failIfError(platform::replaceFile(working, manifest), manifest);
    }

    SharedFileAccess& m_files;
    DataDirectory m_target;
    BackupReport m_report;
    std::set<std::string> m_copied;
    std::string m_buffer;
};

struct ManifestLine
{
    std::uint64_t size = 0;
    std::string sha256;
    std::string name;
};

std::optional<ManifestLine> parseManifestLine(std::string_view line)
{
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos || second + 1 >= line.size())
        return std::nullopt;
    const std::string_view size = line.substr(0, first);
    const std::string_view digest = line.substr(first + 1, second - first - 1);
    if (size.empty() || size.size() > 19 || !check::allDigits(size) || digest.size() != 64 ||
        digest.find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return std::nullopt;
    return ManifestLine{std::stoull(std::string(size)), std::string(digest), std::string(line.substr(second + 1))};
}

// Size and digest of a file of the copy, read in blocks; nothing when it cannot be read.
std::optional<std::pair<std::uint64_t, std::string>> measure(const std::string& path, platform::ErrorCode& error)
{
    const platform::File input = platform::File::open(path, platform::Access::Read, platform::Creation::OpenExisting,
                                                      platform::Sharing::Readers, error);
    if (!input.isOpen())
        return std::nullopt;
    Sha256 digest;
    std::uint64_t size = 0;
    if ((error = readInBlocks(input, size, [&](std::string_view block, std::uint64_t) { digest.update(block); })) != 0)
        return std::nullopt;
    return std::pair{size, digest.hexDigest()};
}

bool readWhole(const std::string& path, std::string& content, platform::ErrorCode& error)
{
    const platform::File input = platform::File::open(path, platform::Access::Read, platform::Creation::OpenExisting,
                                                      platform::Sharing::Readers, error);
    std::uint64_t size = 0;
    if (!input.isOpen() || (error = input.size(size)) != 0)
        return false;
    content.resize(static_cast<std::size_t>(size));
    std::size_t got = 0;
    error = input.readAt(0, content.data(), content.size(), got);
    content.resize(got);
    return error == 0;
}

std::string bytesText(std::uint64_t size)
{
    return polishCount(static_cast<long long>(size), "bajt", "bajty", "bajtów");
}

void verifyFile(const DataDirectory& copy, const ManifestLine& listed, std::vector<std::string>& problems)
{
    platform::ErrorCode error = 0;
    const auto found = measure(copy.file(listed.name), error);
    if (!found) {
        problems.push_back(listed.name + (platform::isNotFound(error)
                                              ? ": brak pliku w kopii"
                                              : ": nie można odczytać pliku kopii: " + platform::errorText(error)));
    } else if (found->first != listed.size) {
        problems.push_back(listed.name + ": plik ma " + bytesText(found->first) + ", a według spisu powinien mieć " +
                           bytesText(listed.size));
    } else if (found->second != listed.sha256) {
        problems.push_back(listed.name + ": zawartość pliku różni się od zapisanej w spisie (inna suma SHA-256)");
    }
}

} // namespace

std::optional<std::string> backupRefusal(const std::string& destination)
{
    std::error_code error;
    const std::filesystem::path path = check::pathOf(destination);
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    if (!std::filesystem::is_directory(path, error))
        return destination + " nie jest katalogiem: kopię zapisuje się do nowego albo pustego katalogu.";
    if (!std::filesystem::is_empty(path, error) || error)
        return "Katalog " + destination +
               " nie jest pusty: kopia nie zastępuje ani nie uzupełnia innych plików. Podaj nowy albo pusty katalog.";
    return std::nullopt;
}

BackupReport backupDataDirectory(SharedFileAccess& files, const std::string& destination, const std::string& heading)
{
    return Backup(files, destination).run(heading);
}

BackupVerification verifyBackup(const std::string& destination)
{
    const DataDirectory copy = folderOf(destination);
    const std::vector<std::string> present = listing(copy.path());
    BackupVerification verification;
    const std::string manifestPath = copy.file(kBackupManifestName);
    std::string manifest;
    platform::ErrorCode error = 0;
    if (!readWhole(manifestPath, manifest, error)) {
        if (!platform::isNotFound(error))
            throw IoError(manifestPath, platform::errorText(error),
                          "Nie można odczytać spisu kopii " + manifestPath + ": " + platform::errorText(error));
        verification.problems.push_back(std::string(kBackupManifestName) +
                                        ": brak spisu kopii; kopia nie została dokończona albo nie powstała "
                                        "poleceniem backup");
        return verification;
    }

    std::set<std::string> listed;
    std::size_t number = 0;
    for (const LineSpan& line : Lines(manifest)) {
        ++number;
        if (line.text.empty() || line.text.starts_with('#'))
            continue;
        const auto entry = parseManifestLine(line.text);
        if (!entry) {
            verification.problems.push_back(std::string(kBackupManifestName) + ", wiersz " + std::to_string(number) +
                                            ": wiersz nie ma postaci „rozmiar SHA-256 nazwa”");
            continue;
        }
        listed.insert(entry->name);
        verifyFile(copy, *entry, verification.problems);
        ++verification.filesChecked;
    }
    for (const std::string& name : present) {
        if (name != kBackupManifestName && !listed.contains(name))
            verification.problems.push_back(name + ": plik, którego nie ma w spisie kopii");
    }
    return verification;
}

std::string verificationSummary(const BackupVerification& verification)
{
    const std::string files =
        "Sprawdzono " + polishCount(static_cast<long long>(verification.filesChecked), "plik", "pliki", "plików") +
        " kopii";
    if (verification.problems.empty())
        return files + ": kopia jest zgodna ze spisem.";
    return files + ": znaleziono " +
           polishCount(static_cast<long long>(verification.problems.size()), "problem", "problemy", "problemów") + ".";
}

} // namespace taviro
