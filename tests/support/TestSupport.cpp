#include "TestSupport.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace taviro::test {
namespace {

std::string uniqueFolder()
{
    std::random_device device;
    std::mt19937_64 generator(device());
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        const auto candidate = base / ("taviro-test-" + std::to_string(generator()));
        if (std::filesystem::create_directory(candidate))
            return candidate.string();
    }
}

} // namespace

TemporaryDataDirectory::TemporaryDataDirectory() : m_directory(uniqueFolder()) {}

TemporaryDataDirectory::~TemporaryDataDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(m_directory.path()), ignored);
}

std::string TemporaryDataDirectory::read(std::string_view relativeName) const
{
    std::ifstream in(file(relativeName), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void TemporaryDataDirectory::write(std::string_view relativeName, std::string_view bytes) const
{
    const std::filesystem::path path(file(relativeName));
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool TemporaryDataDirectory::exists(std::string_view relativeName) const
{
    return std::filesystem::exists(std::filesystem::path(file(relativeName)));
}

void CountingNotifier::waitBeforeRetry()
{
    ++waits;
    if (onWait)
        onWait(waits);
    if (m_sleep > 0)
        platform::sleepMilliseconds(m_sleep);
}

void CountingNotifier::showTimeoutWarning(const std::string& message)
{
    warnings.push_back(message);
    if (onWarning)
        onWarning();
}

platform::ErrorCode FailingFiles::beforeWrite(const std::string& relativeName)
{
    if (relativeName != m_name)
        return 0;
    if (m_goodWrites > 0) {
        --m_goodWrites;
        return 0;
    }
    return 5; // EIO on POSIX, ERROR_ACCESS_DENIED on Windows: a failure either way
}

platform::ErrorCode FailingFiles::beforeRead(const std::string& relativeName)
{
    return m_failReads && relativeName == m_name ? 5 : 0;
}

FolderClearer::FolderClearer(std::string folder) : m_folder(std::move(folder))
{
    m_thread = std::thread([this] {
        const std::filesystem::path path(m_folder);
        while (!m_finished.load()) {
            std::error_code listing;
            for (std::filesystem::directory_iterator entry(path, listing), end; !listing && entry != end;
                 entry.increment(listing)) {
                std::error_code ignored; // a file somebody has open may not be removable (Windows)
                if (std::filesystem::remove(entry->path(), ignored))
                    ++m_removed;
            }
            std::this_thread::yield();
        }
    });
}

FolderClearer::~FolderClearer()
{
    stop();
}

int FolderClearer::stop()
{
    m_finished.store(true);
    if (m_thread.joinable())
        m_thread.join();
    return m_removed.load();
}

std::vector<std::string> completeLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

std::string storedText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += utf8ToCp1250(line) + "\r\n";
    return text;
}

namespace {

RecordLines record(const std::string& id, const Fields& fields, std::string_view deletionKey, bool deleted)
{
    RecordLines lines{"{", "ID=" + id};
    for (const Field& field : fields)
        lines.push_back(field.key + field.value);
    lines.push_back(std::string(deletionKey) + (deleted ? "1" : "0"));
    lines.push_back("}");
    lines.push_back("");
    return lines;
}

} // namespace

RecordLines unitRecord(const std::string& id, const std::string& name, bool deleted)
{
    return record(id, {{std::string(keys::unit::kName), name}}, keys::unit::kDelete, deleted);
}

RecordLines employeeRecord(const std::string& id, const std::string& firstName, const std::string& surname,
                           bool deleted)
{
    return record(id,
                  {{std::string(keys::employee::kName), firstName}, {std::string(keys::employee::kSurname), surname}},
                  keys::employee::kDelete, deleted);
}

RecordLines appraisalRecord(const std::string& id, const std::string& periodEnd, bool deleted)
{
    return record(id, {{std::string(keys::appraisal::kPeriodEnd), periodEnd}}, keys::appraisal::kDelete, deleted);
}

RecordLines clericalEmployeeRecord(const std::string& id, const std::string& surname, const std::string& since,
                                   bool deleted)
{
    using namespace keys::employee;
    return record(id,
                  {{std::string(kName), "Jan"},
                   {std::string(kSurname), surname},
                   {std::string(kPosition), "Referent; kasa"},
                   {std::string(kDate1), since}},
                  kDelete, deleted);
}

RecordLines gradedAppraisalRecord(const std::string& id, const std::string& drawnUp, const std::string& level,
                                  bool deleted)
{
    using namespace keys::appraisal;
    return record(id, {{std::string(kGrade), level}, {std::string(kGradeDrawnUp), drawnUp}}, kDelete, deleted);
}

std::string counterBytes(std::int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string recordFile(const std::vector<RecordLines>& records)
{
    std::string text;
    for (const RecordLines& lines : records)
        text += storedText(lines);
    return text;
}

} // namespace taviro::test
