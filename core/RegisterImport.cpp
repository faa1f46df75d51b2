// The import of units and employees from a tab-separated Windows-1250 text file.
//
// Line by line, the import looks the unit up by name in Cell.dat and the employee by first name and
// surname in the unit's file, and appends what is missing. Reading both files afresh for every line
// makes a large file slow (every line re-reads the whole register), so by default what was read is
// kept: a file is parsed again only when its stamp, taken under its lock, differs from the one it
// had when it was parsed or last appended to by the import itself. The appends go exactly as
// RecordFiles::add makes them, so the files come out byte for byte as the plain line-by-line way
// writes them.
#include "Register.h"

#include "RecordKeys.h"
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace taviro {
namespace {

constexpr std::size_t kFieldCount = 11;
constexpr std::size_t kMinimumTabs = kFieldCount - 1;
constexpr std::size_t kFieldLength = 255; // characters of the code page, so bytes
constexpr int kProgressEveryLines = 100;

using ImportFields = std::array<std::string, kFieldCount>;

std::string readImportFile(const std::string& path)
{
    platform::ErrorCode error = 0;
    platform::File file = platform::File::open(path, platform::Access::Read, platform::Creation::OpenExisting,
                                               platform::Sharing::Readers, error);
    if (!file.isOpen())
        throw IoError(path, platform::errorText(error));
    std::uint64_t size = 0;
    if ((error = file.size(size)) != 0)
        throw IoError(path, platform::errorText(error));
    std::string content(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    if ((error = file.readAt(0, content.data(), content.size(), got)) != 0)
        throw IoError(path, platform::errorText(error));
    content.resize(got);
    file.close();
    return content;
}

// The eleven fields of a line in UTF-8, each untrimmed and cut to its first 255 characters; nothing
// for a blank line or one with fewer than ten tabs.
std::optional<ImportFields> fieldsOf(std::string_view line)
{
    if (trimmed(line).empty())
        return std::nullopt;
    if (static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) < kMinimumTabs)
        return std::nullopt;
    ImportFields fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view piece =
            tab == std::string_view::npos ? line.substr(start) : line.substr(start, tab - start);
        fields[i] = cp1250ToUtf8(piece.substr(0, kFieldLength));
        start = tab == std::string_view::npos ? line.size() : tab + 1;
    }
    return fields;
}

// The import writes the values as they stand in the file: no trimming, and no date line for a unit.
Fields unitRecord(const ImportFields& f)
{
    using namespace keys::unit;
    return {{std::string(kFirm), f[0]},
            {std::string(kCity), f[1]},
            {std::string(kName), f[2]},
            {std::string(kPerson), f[3]},
            {std::string(kPosition), f[4]}};
}

Fields employeeRecord(const ImportFields& f)
{
    using namespace keys::employee;
    return {{std::string(kName), f[5]},   {std::string(kSurname), f[6]}, {std::string(kPosition), f[7]},
            {std::string(kEmploy), f[8]}, {std::string(kDate1), f[9]},   {std::string(kDate2), f[10]},
            {std::string(kDuty1), ""},    {std::string(kDuty2), ""}};
}

constexpr std::string_view kUnitNameKeys[] = {keys::unit::kName};
constexpr std::string_view kEmployeeNameKeys[] = {keys::employee::kName, keys::employee::kSurname};

// The lookups and appends of the import. With reuse off every call goes straight to RecordFiles;
// with reuse on the names seen in each file are kept between lines (see the top of the file).
class RegisterWriter
{
public:
    RegisterWriter(RecordFiles& records, bool reuse)
        : m_records(records), m_files(records.files()), m_counters(m_files), m_reuse(reuse)
    {}

    std::string findUnit(const std::string& name)
    {
        if (!m_reuse)
            return m_records.findUnitIdByName(name);
        return find(unitsFileName(), RecordKind::Unit, kUnitNameKeys, {polishUpper(name)});
    }

    std::string addUnit(const ImportFields& f)
    {
        if (!m_reuse)
            return m_records.add(unitsFileName(), RecordKind::Unit, unitRecord(f));
        return add(unitsFileName(), RecordKind::Unit, unitRecord(f), {polishUpper(f[2])});
    }

    std::string findEmployee(const std::string& unitId, const std::string& firstName, const std::string& surname)
    {
        if (!m_reuse)
            return m_records.findEmployeeIdByName(unitId, firstName, surname);
        return find(employeesFileName(unitId), RecordKind::Employee, kEmployeeNameKeys,
                    {polishUpper(firstName), polishUpper(surname)});
    }

    std::string addEmployee(const std::string& unitId, const ImportFields& f)
    {
        if (!m_reuse)
            return m_records.add(employeesFileName(unitId), RecordKind::Employee, employeeRecord(f));
        return add(employeesFileName(unitId), RecordKind::Employee, employeeRecord(f),
                   {polishUpper(f[5]), polishUpper(f[6])});
    }

private:
    using Names = std::vector<std::string>; // the upper-cased values a record is looked up by

    // What the import knows of one file: the first live record of each name, as of the stamp.
    struct Seen
    {
        bool valid = false;
        platform::FileStamp stamp;
        std::map<Names, std::string> firstIdByNames;
    };

    // The one reading of live records every reader uses; an earlier record of a name wins.
    static void parse(std::string_view content, RecordKind kind, std::span<const std::string_view> keys, Seen& seen)
    {
        seen.firstIdByNames.clear();
        scanLiveRecords(content, deletionKey(kind), keys,
                        [&](std::string_view id, std::span<const std::string_view> values) {
                            Names upper;
                            for (const std::string_view value : values)
                                upper.push_back(polishUpper(cp1250ToUtf8(value)));
                            seen.firstIdByNames.emplace(std::move(upper), cp1250ToUtf8(id));
                            return false;
                        });
    }

    std::string find(const std::string& file, RecordKind kind, std::span<const std::string_view> keys,
                     const Names& wanted)
    {
        Seen& seen = m_seen[file];
        std::optional<SharedFile> shared = m_files.openIfExists(file, OpenKind::TextRead);
        if (!shared) {
            seen = Seen{};
            return {};
        }
        const platform::FileStamp stamp = shared->stamp();
        if (!seen.valid || !(seen.stamp == stamp)) {
            seen.valid = false;
            parse(shared->readAll(), kind, keys, seen);
            seen.stamp = stamp;
            seen.valid = true;
        }
        shared->close();
        const auto found = seen.firstIdByNames.find(wanted);
        return found == seen.firstIdByNames.end() ? std::string() : found->second;
    }

    // RecordFiles::add step by step, with the file's stamp taken before and after the append
    // under the append's own lock.
    std::string add(const std::string& file, RecordKind kind, const Fields& fields, Names names)
    {
        const std::string body = encodedFieldLines(fields);
        if (!m_files.exists(file))
            m_files.openWithRetry(file, OpenKind::BinaryOpenOrCreate).close();
        const std::string id = m_counters.next(counterOf(kind));
        const std::string record = recordText(id, body, deletionKey(kind));
        SharedFile shared = m_files.openWithRetry(file, OpenKind::TextAppend);
        const platform::FileStamp before = shared.stamp();
        shared.append(record);
        const platform::FileStamp after = shared.stamp();
        shared.close();

        Seen& seen = m_seen[file];
        if (before.size == 0) {
            seen.firstIdByNames.clear(); // an empty file: nothing to have missed
        } else if (!seen.valid || !(seen.stamp == before)) {
            seen.valid = false; // somebody else wrote in between: read it again next time
            return id;
        }
        seen.firstIdByNames.emplace(std::move(names), id);
        seen.stamp = after;
        seen.valid = true;
        return id;
    }

    RecordFiles& m_records;
    SharedFileAccess& m_files;
    Counters m_counters;
    bool m_reuse;
    std::map<std::string, Seen> m_seen; // by relative file name
};

} // namespace

ImportResult importRegister(RecordFiles& records, const std::string& importFilePath,
                            const std::function<void(std::uint64_t, std::uint64_t)>& progress)
{
    return importRegister(records, importFilePath, progress, ImportReading::ReuseUnchanged);
}

ImportResult importRegister(RecordFiles& records, const std::string& importFilePath,
                            const std::function<void(std::uint64_t, std::uint64_t)>& progress, ImportReading reading)
{
    const std::string content = readImportFile(importFilePath);
    const std::uint64_t total = content.size();
    RegisterWriter writer(records, reading == ImportReading::ReuseUnchanged);
    ImportResult result;
    int lineNumber = 0;
    for (const LineSpan& span : Lines(content, LineEnds::Any)) {
        const std::string_view line = span.text;
        const std::size_t next = span.next;
        if (const auto fields = fieldsOf(line)) {
            const ImportFields& f = *fields;
            std::string unitId = writer.findUnit(f[2]);
            if (unitId.empty()) {
                unitId = writer.addUnit(f);
                ++result.unitsAdded;
            }
            if (writer.findEmployee(unitId, f[5], f[6]).empty()) {
                writer.addEmployee(unitId, f);
                ++result.employeesAdded;
            }
            ++result.taken; // whether or not anything was added
        }
        if (progress && ++lineNumber % kProgressEveryLines == 0)
            progress(next, total);
    }
    if (progress)
        progress(total, total);
    return result;
}

std::string importFormatErrorText()
{
    return "UWAGA! Błędny format pliku lub brak danych.";
}

} // namespace taviro
