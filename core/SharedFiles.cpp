#include "SharedFiles.h"

#include <algorithm>
#include <stdexcept>

namespace taviro {
namespace {

constexpr int kWarningAttempt = 1000;
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
    case OpenKind::TextRewrite:
        return {true, Access::Write, Creation::CreateAlways, Sharing::Readers};
    case OpenKind::BinaryRead:
        return {true, Access::Read, Creation::OpenExisting, Sharing::Nobody};
    case OpenKind::BinaryReadWrite:
        return {true, Access::ReadWrite, Creation::OpenExisting, Sharing::Nobody};
    case OpenKind::BinaryCreate:
        return {true, Access::ReadWrite, Creation::CreateAlways, Sharing::Nobody};
    case OpenKind::BinaryOpenOrCreate:
        return {true, Access::ReadWrite, Creation::OpenOrCreate, Sharing::Nobody};
    }
    return {true, Access::Read, Creation::OpenExisting, Sharing::Nobody};
}

// Lock files live flat in "Locks": a relative name with folders becomes one file name.
std::string flatName(std::string_view relativeName)
{
    std::string name(relativeName);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }, '_');
    return name;
}

std::string parentOf(const std::string& path)
{
    const auto last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

} // namespace

// ---- SharedFile ----

SharedFile::~SharedFile()
{
    m_file.close();
    m_lock.release();
}

SharedFile& SharedFile::operator=(SharedFile&& other) noexcept
{
    if (this != &other) {
        m_file.close(); // the file goes before its lock, as in the destructor
        m_lock.release();
        m_file = std::move(other.m_file);
        m_lock = std::move(other.m_lock);
        m_relativeName = std::move(other.m_relativeName);
        m_fullPath = std::move(other.m_fullPath);
        m_faults = other.m_faults;
    }
    return *this;
}

void SharedFile::fail(platform::ErrorCode error) const
{
    throw IoError(m_relativeName, platform::errorText(error));
}

std::uint64_t SharedFile::size() const
{
    std::uint64_t bytes = 0;
    if (const auto error = m_file.size(bytes))
        fail(error);
    return bytes;
}

std::size_t SharedFile::readAt(std::uint64_t offset, char* buffer, std::size_t count) const
{
    if (m_faults) {
        if (const auto error = m_faults->beforeRead(m_relativeName))
            fail(error);
    }
    std::size_t got = 0;
    if (const auto error = m_file.readAt(offset, buffer, count, got))
        fail(error);
    return got;
}

platform::FileStamp SharedFile::stamp() const
{
    platform::FileStamp stamp;
    if (const auto error = m_file.stamp(stamp))
        fail(error);
    return stamp;
}

std::string SharedFile::readAll() const
{
    std::string content(static_cast<std::size_t>(size()), '\0');
    const std::size_t got = readAt(0, content.data(), content.size());
    content.resize(got);
    return content;
}

void SharedFile::writeAt(std::uint64_t offset, std::string_view bytes)
{
    if (m_faults) {
        if (const auto error = m_faults->beforeWrite(m_relativeName))
            fail(error);
    }
    if (const auto error = m_file.writeAt(offset, bytes.data(), bytes.size()))
        fail(error);
}

void SharedFile::append(std::string_view bytes)
{
    const std::uint64_t end = size();
    std::string text;
    if (end > 0) {
        // A crash may have cut the last line short; what follows must start on a line of its own.
        char last = '\n';
        readAt(end - 1, &last, 1);
        if (last != '\n')
            text = "\r\n";
    }
    text.append(bytes);
    // One write call, so a killed process leaves either nothing or the whole text.
    writeAt(end, text);
    flush();
}

void SharedFile::flush()
{
    if (const auto error = m_file.flush())
        fail(error);
}

void SharedFile::close()
{
    const auto error = m_file.close();
    m_lock.release();
    if (error)
        fail(error);
}

void SharedFile::replaceWith(const std::string& sourcePath)
{
    // Windows cannot rename over an open file, so the data file is closed first; the lock
    // still keeps every other workstation out until the new file is in place.
    if (const auto error = m_file.close())
        fail(error);
    const auto error = platform::replaceFile(sourcePath, m_fullPath);
    m_lock.release();
    if (error)
        fail(error);
}

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
    return m_directory.file(relativeName.empty() ? "Locks" : "Locks/" + flatName(relativeName));
}

bool SharedFileAccess::tryLock(std::string_view relativeName, bool exclusive, SharedFile& file,
                               platform::ErrorCode& error)
{
    if (!m_lockFolderReady)
        m_lockFolderReady = platform::createDirectories(m_directory.file("Locks")) == 0;
    file.m_lock = platform::RangeLock::tryAcquire(lockPath(relativeName), exclusive, error);
    if (!file.m_lock.isHeld()) {
        m_lockFolderReady = false; // perhaps somebody removed the folder; make it again next time
        return false;
    }
    file.m_relativeName = std::string(relativeName);
    file.m_fullPath = fullPath(relativeName);
    file.m_faults = m_faults;
    return true;
}

SharedFileAccess::OpenOutcome SharedFileAccess::tryOpen(std::string_view relativeName, OpenKind kind, SharedFile& file,
                                                        platform::ErrorCode& error)
{
    const OpenMode mode = modeOf(kind);
    if (!tryLock(relativeName, mode.exclusive, file, error))
        return OpenOutcome::LockRefused;
    file.m_file = platform::File::open(file.m_fullPath, mode.access, mode.creation, mode.sharing, error);
    if (!file.m_file.isOpen()) {
        file.m_lock.release();
        return OpenOutcome::OpenFailed;
    }
    return OpenOutcome::Opened;
}

template <typename Attempt> SharedFile SharedFileAccess::retry(std::string_view relativeName, Attempt attempt)
{
    int failures = 0;
    for (;;) {
        SharedFile file;
        platform::ErrorCode error = 0;
        if (attempt(file, error))
            return file;
        m_notifier.waitBeforeRetry();
        if (++failures == kWarningAttempt)
            m_notifier.showTimeoutWarning(timeoutWarningText(std::string(relativeName)));
    }
}

SharedFile SharedFileAccess::openWithRetry(std::string_view relativeName, OpenKind kind)
{
    return retry(relativeName, [&](SharedFile& file, platform::ErrorCode& error) {
        return tryOpen(relativeName, kind, file, error) == OpenOutcome::Opened;
    });
}

std::optional<SharedFile> SharedFileAccess::openIfExists(std::string_view relativeName, OpenKind kind)
{
    bool missing = false;
    SharedFile file = retry(relativeName, [&](SharedFile& attempt, platform::ErrorCode& error) {
        const OpenOutcome outcome = tryOpen(relativeName, kind, attempt, error);
        // Under the lock nobody is making the file: missing is the answer, not a reason to wait.
        missing = outcome == OpenOutcome::OpenFailed && platform::isNotFound(error);
        return outcome == OpenOutcome::Opened || missing;
    });
    if (missing)
        return std::nullopt;
    return file;
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
    const auto size = static_cast<std::size_t>(file->size());
    if (buffer.size() < size)
        buffer.resize(size);
    const std::size_t got = file->readAt(0, buffer.data(), size);
    file->close();
    return std::string_view(buffer.data(), got);
}

SharedFile SharedFileAccess::lockWithRetry(std::string_view relativeName)
{
    return retry(relativeName, [&](SharedFile& file, platform::ErrorCode& error) {
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
    const OpenMode mode = modeOf(kind);
    if (!mode.exclusive || !file.m_lock.isHeld() || file.m_file.isOpen())
        throw std::logic_error("openLocked: the file must hold its exclusive lock and nothing else");
    int failures = 0;
    for (;;) {
        platform::ErrorCode error = 0;
        file.m_file = platform::File::open(file.m_fullPath, mode.access, mode.creation, mode.sharing, error);
        if (file.m_file.isOpen())
            return;
        m_notifier.waitBeforeRetry();
        if (++failures == kWarningAttempt)
            m_notifier.showTimeoutWarning(timeoutWarningText(file.m_relativeName));
    }
}

platform::File SharedFileAccess::createPrivateFile(std::string_view relativeName)
{
    const std::string path = fullPath(relativeName);
    platform::createDirectories(parentOf(path));
    platform::ErrorCode error = 0;
    auto file = platform::File::open(path, platform::Access::Write, platform::Creation::CreateAlways,
                                     platform::Sharing::Nobody, error);
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
    SharedFile target = lockWithRetry(relativeName);
    const std::string temporary = taviro::relativeName({"Temp", flatName(relativeName) + ".new"});
    auto file = createPrivateFile(temporary);
    writePrivate(file, temporary, bytes);
    target.replaceWith(fullPath(temporary));
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
