#include "SharedFiles.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace taviro {
namespace {

constexpr int kWarningAttempt = 1000;
// Attempts in a row that must fail in a way waiting does not mend before the wait ends; the
// short delay lets a passing state that looks permanent (a file being removed on Windows) pass.
constexpr int kPermanentAfter = 100;
constexpr std::size_t kCopyBlock = 16384;

struct OpenMode
{
    bool exclusive;
    platform::Access access;
    platform::Creation creation;
    platform::Sharing sharing;
};

OpenMode modeOf(OpenKind kind)
{
    using platform::Access;
    using platform::Creation;
    using platform::Sharing;
    switch (kind) {
    case OpenKind::TextRead:
        return {false, Access::Read, Creation::OpenExisting, Sharing::Readers};
    case OpenKind::TextAppend:
        return {true, Access::ReadWrite, Creation::OpenExisting, Sharing::Readers};
    case OpenKind::TextAppendOrCreate:
        return {true, Access::ReadWrite, Creation::OpenOrCreate, Sharing::Readers};
    case OpenKind::TextAppendToNew:
        return {true, Access::ReadWrite, Creation::CreateFirstOrOpen, Sharing::Readers};
    case OpenKind::TextRewrite:
        return {true, Access::Write, Creation::CreateAlways, Sharing::Readers};
    case OpenKind::BinaryRead:
        return {true, Access::ReadWrite, Creation::OpenExisting, Sharing::Nobody};
    case OpenKind::BinaryReadWrite:
        return {true, Access::ReadWrite, Creation::OpenExisting, Sharing::Nobody};
    case OpenKind::BinaryCreate:
        return {true, Access::ReadWrite, Creation::CreateAlways, Sharing::Nobody};
    case OpenKind::BinaryOpenOrCreate:
        return {true, Access::ReadWrite, Creation::OpenOrCreate, Sharing::Nobody};
    }
    return {true, Access::Read, Creation::OpenExisting, Sharing::Nobody};
}

// Lock files live flat in "Locks": the part of a name from `from` on, a relative name with
// folders, becomes one file name, its folder separators '_'.
void flatten(std::string& name, std::size_t from = 0)
{
    std::replace_if(
        name.begin() + static_cast<std::ptrdiff_t>(from), name.end(), [](char c) { return c == '/' || c == '\\'; },
        '_');
}

std::string flatName(std::string_view relativeName)
{
    std::string name(relativeName);
    flatten(name);
    return name;
}

std::string parentOf(const std::string& path)
{
    const auto last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

// The message that ends an operation on an error that waiting does not mend.
std::string permanentFailureText(const std::string& relativeName, platform::Permanence permanence,
                                 const std::string& systemText)
{
    std::string reason;
    switch (permanence) {
    case platform::Permanence::NoPermission:
        reason = "brak uprawnień do tego pliku lub do katalogu, w którym się znajduje";
        break;
    case platform::Permanence::ReadOnly:
        reason = "katalog danych jest dostępny tylko do odczytu";
        break;
    case platform::Permanence::FolderInTheWay:
        reason = "w miejscu pliku znajduje się katalog";
        break;
    case platform::Permanence::FileInTheWay:
        reason = "w miejscu katalogu znajduje się plik";
        break;
    case platform::Permanence::BadName:
        reason = "system nie przyjmuje nazwy pliku";
        break;
    case platform::Permanence::Passing:
        reason = "błąd dostępu";
        break;
    }
    return "Nie można otworzyć pliku " + relativeName + ": " + reason + " (" + systemText +
           "). Ponawianie próby nic tu nie zmieni; operacja została przerwana.";
}

// A UTF-8 path for the standard library, which takes a plain string in the ANSI code page on Windows.
std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The data file whose rewrite made a temporary file "Temp/<stem><session>.tem" (see
// RecordFiles::temporaryFileName): Cell.dat, Pe<unit>.dat or Gr<employee>.dat. Empty for a name
// no rewrite makes.
std::string dataFileOfTemporary(const std::string& name)
{
    constexpr std::string_view kSuffix = ".tem";
    constexpr std::size_t kSessionWidth = 8;
    if (name.size() <= kSuffix.size() + kSessionWidth ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return {};
    const std::string stem = name.substr(0, name.size() - kSuffix.size() - kSessionWidth);
    const auto digits = [](std::string_view text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(std::string_view(name).substr(stem.size(), kSessionWidth)))
        return {};
    const bool ours = stem == "Cell" || ((stem.rfind("Pe", 0) == 0 || stem.rfind("Gr", 0) == 0) &&
                                         digits(std::string_view(stem).substr(2)));
    return ours ? stem + ".dat" : std::string();
}

} // namespace

// ---- SharedFileAccess ----

SharedFileAccess::SharedFileAccess(DataDirectory directory, WaitNotifier& notifier)
    : m_directory(std::move(directory)), m_notifier(notifier)
{}

bool SharedFileAccess::exists(std::string_view relativeName) const
{
    return platform::fileExists(fullPath(relativeName));
}

std::string SharedFileAccess::lockPath(std::string_view relativeName) const
{
    if (relativeName.empty())
        return m_directory.file("Locks");
    std::string path = m_directory.file("Locks/");
    const std::size_t nameStart = path.size();
    flatten(path.append(relativeName), nameStart);
    return path;
}

bool SharedFileAccess::tryLock(std::string_view relativeName, bool exclusive, SharedFile& file,
                               platform::ErrorCode& error, bool expectNew)
{
    platform::ErrorCode folderError = 0;
    if (!m_lockFolderReady) {
        folderError = platform::createDirectories(m_directory.file("Locks"));
        m_lockFolderReady = folderError == 0;
    }
    const std::string path = lockPath(relativeName);
    file.m_lock = platform::RangeLock::tryAcquire(path, exclusive, error, expectNew);
    if (!file.m_lock.isHeld()) {
        m_lockFolderReady = false; // perhaps somebody removed the folder; make it again next time
        if (platform::isNotFound(error) && folderError != 0)
            error = folderError; // why the lock file is missing: its folder cannot be made
        // A reader in a folder it may only read, where the lock file is missing and cannot be made,
        // reads without it: writers replace a data file by renaming and append in one write, which
        // a reader sees whole or not at all.
        std::error_code ignored;
        const bool cannotBeMade = platform::permanenceOf(error) != platform::Permanence::Passing &&
                                  !std::filesystem::exists(pathOf(path), ignored);
        if (exclusive || !cannotBeMade)
            return false;
        error = 0;
    }
    file.m_relativeName = std::string(relativeName);
    file.m_fullPath = fullPath(relativeName);
    file.m_faults = m_faults;
    return true;
}

bool SharedFileAccess::tryOpenData(SharedFile& file, OpenKind kind, platform::ErrorCode& error)
{
    const OpenMode mode = modeOf(kind);
    file.m_file = platform::File::open(file.m_fullPath, mode.access, mode.creation, mode.sharing, error);
    if (!file.m_file.isOpen())
        return false;
    // A writer locks the open file too, and it must still be the one at the path: a rewrite may
    // have put another in its place between the open and the lock. A reader needs neither: what it
    // opened is a whole file, old or new, since writers only append in one write or rename.
    if (mode.exclusive &&
        ((error = file.m_file.tryLockContent(true)) != 0 || !file.m_file.isStillAt(file.m_fullPath))) {
        if (error == 0)
            error = platform::lockRefused();
        file.m_file.close();
        return false;
    }
    if (file.m_file.created()) {
        // A new data file: its folder entry goes to the disk before anything relies on it. The
        // file is empty, so the folder's sync is all there is to force; what is written to it
        // later is forced as every write is.
        if (m_folderSyncsBatched)
            m_foldersToSync.emplace(parentOf(file.m_fullPath), file.m_fullPath);
        else
            platform::syncFolderOf(file.m_fullPath);
    }
    return true;
}

SharedFileAccess::FolderSyncBatch::FolderSyncBatch(SharedFileAccess& files) : m_files(files)
{
    if (m_files.m_folderSyncsBatched)
        throw std::logic_error("SharedFileAccess::FolderSyncBatch: one at a time");
    m_files.m_folderSyncsBatched = true;
}

SharedFileAccess::FolderSyncBatch::~FolderSyncBatch()
{
    syncNow();
    m_files.m_folderSyncsBatched = false;
}

void SharedFileAccess::FolderSyncBatch::syncNow()
{
    for (const auto& [folder, file] : m_files.m_foldersToSync)
        platform::syncFolderOf(file);
    m_files.m_foldersToSync.clear();
}

SharedFileAccess::OpenOutcome SharedFileAccess::tryOpen(std::string_view relativeName, OpenKind kind, SharedFile& file,
                                                        platform::ErrorCode& error)
{
    const OpenMode mode = modeOf(kind);
    if (!tryLock(relativeName, mode.exclusive, file, error, mode.creation == platform::Creation::CreateFirstOrOpen))
        return OpenOutcome::LockRefused;
    if (!tryOpenData(file, kind, error))
        return OpenOutcome::OpenFailed;
    return OpenOutcome::Opened;
}

template <typename Attempt> void SharedFileAccess::retry(std::string_view relativeName, Attempt attempt)
{
    int failures = 0;
    int permanentFailures = 0;
    for (;;) {
        platform::ErrorCode error = 0;
        if (attempt(error))
            return;
        const platform::Permanence permanence = platform::permanenceOf(error);
        if (permanence == platform::Permanence::Passing) {
            permanentFailures = 0;
        } else if (++permanentFailures >= kPermanentAfter) {
            const std::string systemText = platform::errorText(error);
            throw IoError(std::string(relativeName), systemText,
                          permanentFailureText(std::string(relativeName), permanence, systemText));
        }
        m_notifier.waitBeforeRetry();
        if (++failures == kWarningAttempt)
            m_notifier.showTimeoutWarning(timeoutWarningText(std::string(relativeName)));
    }
}

template <typename Attempt> SharedFile SharedFileAccess::retryOpen(std::string_view relativeName, Attempt attempt)
{
    SharedFile opened;
    retry(relativeName, [&](platform::ErrorCode& error) {
        SharedFile file; // a failed attempt lets go of whatever it took when it goes
        if (!attempt(file, error))
            return false;
        opened = std::move(file);
        return true;
    });
    return opened;
}

SharedFile SharedFileAccess::openWithRetry(std::string_view relativeName, OpenKind kind)
{
    return retryOpen(relativeName, [&](SharedFile& file, platform::ErrorCode& error) {
        return tryOpen(relativeName, kind, file, error) == OpenOutcome::Opened;
    });
}

std::optional<SharedFile> SharedFileAccess::openIfExists(std::string_view relativeName, OpenKind kind)
{
    bool missing = false;
    SharedFile file = retryOpen(relativeName, [&](SharedFile& attempt, platform::ErrorCode& error) {
        const OpenOutcome outcome = tryOpen(relativeName, kind, attempt, error);
        // Under the lock nobody is making the file: missing is the answer, not a reason to wait.
        missing = outcome == OpenOutcome::OpenFailed && platform::isNotFound(error);
        return outcome == OpenOutcome::Opened || missing;
    });
    if (missing)
        return std::nullopt;
    return file;
}

SharedFileAccess::ReadAttempt SharedFileAccess::tryOpenToRead(std::string_view relativeName, SharedFile& file)
{
    // For a read only the lock folder's flag is touched, and a reader opens no new data file.
    platform::ErrorCode error = 0;
    const OpenOutcome outcome = tryOpen(relativeName, OpenKind::TextRead, file, error);
    if (outcome == OpenOutcome::Opened)
        return ReadAttempt::Opened;
    file = SharedFile(); // lets go of the lock a failed open of the data file holds
    // Under the lock nobody is making the file: missing is the answer.
    return outcome == OpenOutcome::OpenFailed && platform::isNotFound(error) ? ReadAttempt::Missing
                                                                             : ReadAttempt::NotNow;
}

std::optional<std::string> SharedFileAccess::readIfExists(std::string_view relativeName)
{
    std::optional<SharedFile> file = openIfExists(relativeName, OpenKind::TextRead);
    if (!file)
        return std::nullopt;
    std::string content = file->readAll();
    file->close();
    return content;
}

std::optional<std::string_view> SharedFileAccess::readIfExists(std::string_view relativeName, std::string& buffer)
{
    std::optional<SharedFile> file = openIfExists(relativeName, OpenKind::TextRead);
    if (!file)
        return std::nullopt;
    const std::string_view content = file->readWholeInto(buffer);
    file->close();
    return content;
}

SharedFile SharedFileAccess::lockWithRetry(std::string_view relativeName)
{
    return retryOpen(relativeName, [&](SharedFile& file, platform::ErrorCode& error) {
        return tryLock(relativeName, true, file, error);
    });
}

SharedFile SharedFileAccess::openOnce(std::string_view relativeName, OpenKind kind)
{
    SharedFile file;
    platform::ErrorCode error = 0;
    if (tryOpen(relativeName, kind, file, error) != OpenOutcome::Opened)
        throw IoError(std::string(relativeName), platform::errorText(error));
    return file;
}

void SharedFileAccess::createEmptyOnce(std::string_view relativeName)
{
    // Opening without truncation: a file that appeared meanwhile keeps its records.
    openOnce(relativeName, OpenKind::BinaryOpenOrCreate).close();
}

std::pair<SharedFile, SharedFile> SharedFileAccess::lockBothWithRetry(std::string_view first, std::string_view second)
{
    if (first == second)
        throw std::invalid_argument("lockBothWithRetry: one file given twice");
    if (second < first) {
        SharedFile earlier = lockWithRetry(second);
        SharedFile later = lockWithRetry(first);
        return {std::move(later), std::move(earlier)};
    }
    SharedFile earlier = lockWithRetry(first);
    SharedFile later = lockWithRetry(second);
    return {std::move(earlier), std::move(later)};
}

void SharedFileAccess::openLocked(SharedFile& file, OpenKind kind)
{
    if (!modeOf(kind).exclusive || !file.m_lock.isHeld() || file.m_file.isOpen())
        throw std::logic_error("openLocked: the file must hold its exclusive lock and nothing else");
    retry(file.m_relativeName, [&](platform::ErrorCode& error) { return tryOpenData(file, kind, error); });
}

platform::File SharedFileAccess::createPrivateFile(std::string_view relativeName)
{
    const std::string path = fullPath(relativeName);
    const auto open = [&](platform::ErrorCode& error) {
        return platform::File::open(path, platform::Access::Write, platform::Creation::CreateAlways,
                                    platform::Sharing::Nobody, error);
    };
    platform::ErrorCode error = 0;
    auto file = open(error);
    // Its folder is made only when it turns out to be missing: on a share every look is a round trip.
    if (!file.isOpen() && platform::isNotFound(error) && platform::createDirectories(parentOf(path)) == 0)
        file = open(error);
    if (!file.isOpen())
        throw IoError(std::string(relativeName), platform::errorText(error));
    return file;
}

void SharedFileAccess::writePrivate(platform::File& file, std::string_view relativeName, std::string_view bytes)
{
    platform::ErrorCode error = m_faults ? m_faults->beforeWrite(std::string(relativeName)) : 0;
    if (!error)
        error = file.writeAt(0, bytes.data(), bytes.size());
    if (!error)
        error = file.flush();
    if (!error)
        error = file.close();
    if (error) {
        file.close();
        platform::removeFile(fullPath(relativeName));
        throw IoError(std::string(relativeName), platform::errorText(error));
    }
}

void SharedFileAccess::writeWholeFile(std::string_view relativeName, std::string_view bytes)
{
    // The old file, where there is one, is held open (and locked itself) until it is replaced.
    SharedFile target = retryOpen(relativeName, [&](SharedFile& file, platform::ErrorCode& error) {
        const OpenOutcome outcome = tryOpen(relativeName, OpenKind::BinaryReadWrite, file, error);
        return outcome == OpenOutcome::Opened || (outcome == OpenOutcome::OpenFailed && platform::isNotFound(error));
    });
    const std::string temporary = taviro::relativeName({"Temp", flatName(relativeName) + ".new"});
    auto file = createPrivateFile(temporary);
    try {
        writePrivate(file, temporary, bytes);
        target.replaceWith(fullPath(temporary));
    } catch (const IoError&) {
        // The file stays as it was; a working copy that did not take its place is no use to anybody.
        file.close();
        platform::removeFile(fullPath(temporary));
        throw;
    }
}

int SharedFileAccess::removeStaleTemporaryFiles(std::int64_t olderThanSeconds)
{
    int removed = 0;
    std::error_code ec;
    std::filesystem::directory_iterator entries(pathOf(m_directory.file("Temp")), ec);
    for (const std::filesystem::directory_iterator end; !ec && entries != end; entries.increment(ec)) {
        const std::string name = utf8Of(entries->path().filename());
        const std::string dataFile = dataFileOfTemporary(name);
        const std::string path = m_directory.file(relativeName({"Temp", name}));
        std::int64_t age = 0;
        if (dataFile.empty() || !platform::secondsSinceChange(path, age) || age < olderThanSeconds)
            continue;
        // A rewrite writes its temporary file under the exclusive lock of its data file: while that
        // lock can be had, nobody writes this one.
        SharedFile guard;
        platform::ErrorCode error = 0;
        if (!tryLock(dataFile, true, guard, error))
            continue;
        if (platform::removeFile(path) == 0)
            ++removed;
    }
    return removed;
}

int SharedFileAccess::copyFile(const std::string& sourcePath, const std::string& targetPath)
{
    using namespace platform;
    ErrorCode error = 0;
    File source = File::open(sourcePath, Access::Read, Creation::OpenExisting, Sharing::Nobody, error);
    if (!source.isOpen())
        return -1;
    File target = File::open(targetPath, Access::ReadWrite, Creation::CreateAlways, Sharing::Nobody, error);
    if (!target.isOpen())
        return -1;
    std::uint64_t size = 0;
    if (source.size(size))
        return -1;
    std::string block(kCopyBlock, '\0');
    std::uint64_t position = 0;
    while (position < size) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyBlock, size - position));
        std::size_t got = 0;
        if (source.readAt(position, block.data(), wanted, got) || got != wanted)
            return -1;
        if (target.writeAt(position, block.data(), got))
            return -1;
        position += got;
    }
    if (target.close() || source.close())
        return -1;
    return 0;
}

} // namespace taviro
