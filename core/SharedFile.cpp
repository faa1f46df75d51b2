// One open data file under its lock: reads, writes, appends and the atomic replacement.
#include "SharedFiles.h"

namespace taviro {

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

std::string_view SharedFile::readWholeInto(std::string& buffer) const
{
    const auto bytes = static_cast<std::size_t>(size());
    if (buffer.size() < bytes)
        buffer.resize(bytes);
    return std::string_view(buffer.data(), readAt(0, buffer.data(), bytes));
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
    std::string content;
    content.resize(readWholeInto(content).size());
    return content;
}

void SharedFile::writeAt(std::uint64_t offset, std::string_view bytes)
{
    if (m_faults) {
        if (const auto error = m_faults->beforeWrite(m_relativeName)) {
            // As far as a full disk lets it go before it fails.
            const std::size_t partial = std::min(m_faults->bytesWrittenBeforeFailure(m_relativeName), bytes.size());
            if (partial > 0)
                m_file.writeAt(offset, bytes.data(), partial);
            fail(error);
        }
    }
    if (const auto error = m_file.writeAt(offset, bytes.data(), bytes.size()))
        fail(error);
}

std::string SharedFile::append(std::string_view bytes)
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
    try {
        // One write call, so a killed process leaves either nothing or the whole text.
        writeAt(end, text);
        flush();
    } catch (const IoError&) {
        // A failed write (a full disk) may have stored part of the text: the file goes back to
        // what it was, so that no record stays cut short at its end.
        if (m_file.truncate(end) == 0)
            m_file.flush();
        throw;
    }
    return text;
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
    // The lock keeps every other workstation out until the new file is in place. Where the system
    // renames over an open file, the old one stays open (and its content locked) until then;
    // Windows cannot, so there it is closed first.
    platform::ErrorCode error = 0;
    if constexpr (platform::kReplacesOpenFiles) {
        error = platform::replaceFile(sourcePath, m_fullPath);
        if (const auto closed = m_file.close(); !error)
            error = closed;
    } else {
        if ((error = m_file.close()) == 0)
            error = platform::replaceFile(sourcePath, m_fullPath);
    }
    m_lock.release();
    if (error)
        fail(error);
}

} // namespace taviro
