// The import of units and employees from a tab-separated text file.
//
// The import looks each unit up by name in Cell.dat and each employee by first name and surname in
// the unit's file, and appends what is missing. A look-up reads the file under a
// shared lock, so that imports and other workstations read side by side; when it finds nothing,
// the file is opened exclusively and looked at once more before anything is appended: another
// workstation importing the same file at the same moment may have added the unit or the employee
// in between, and it must not be added twice.
//
// Reading an employee file afresh for every batch of lines is cheap; making sense of them is
// what makes a large file slow. So by default what was made of a file's content is kept, and made
// again only when the bytes read differ from the ones it was made of: the bytes themselves are
// compared, because size, time of change and file identity can all stay the same across a change
// (a soft delete keeps the size, file systems hand an inode number out again, and many keep times
// to the second or coarser). What the import appends itself is added to what it keeps.
//
// Consecutive lines of one unit (up to a hundred) go in together: the unit's file is held once for
// all of them, their identifiers are drawn in one go and their records appended in one write,
// forced to disk once. A crash cannot tell that from a sync per line (either way the lines not yet
// on disk are lost and a new import adds them), but it saves two syncs per line, which on a disk or
// a network share are most of an import's time. Lines of units that take turns go in one by one.
// In the same spirit the units go first: before any employee, every unit the file names is looked
// up, and those Cell.dat lacks are added, all in one append with one draw of their identifiers (in
// the order the file first names them), where a unit at a time would cost a write of Cell.dat and
// of its counter each. The units' identifiers found or given then serve every line: a unit another
// workstation deletes or renames meanwhile still gets the lines that name it, as if the import had
// ended before the change. The employees of the units just added are all new, so their identifiers
// are drawn in one go too, one for each of their lines; a name that stands twice in the file, or
// an employee another workstation's import of the same file put in first, leaves its number
// unused, which costs nothing but a gap in the numbering.
#include "Import.h"

#include "Counters.h"
#include "RecordFiles.h"
#include "RecordKeys.h"
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

namespace taviro {
namespace {

constexpr std::size_t kFieldCount = 11;
constexpr std::size_t kMinimumTabs = kFieldCount - 1;
constexpr std::size_t kFieldLength = 255; // characters of the code page, so bytes
constexpr int kProgressEveryLines = 100;
// The most employee identifiers drawn ahead in one go; beyond them they are drawn per batch.
constexpr int kMostDrawnAhead = 10'000;

using ImportFields = std::array<std::string, kFieldCount>;

// Consecutive lines of one unit (by its upper-cased name), waiting to go in together.
struct UnitLines
{
    std::string unit;
    int firstLine = 0;
    std::vector<ImportFields> lines;
};

// The eleven fields of a Windows-1250 line in UTF-8, each untrimmed and cut to its first 255
// characters; nothing for a blank line or one with fewer than ten tabs.
std::optional<ImportFields> fieldsOf(std::string_view line)
{
    if (trimmedView(line).empty())
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

// The look-ups and appends of the import (see the top of the file).
class RegisterWriter
{
public:
    RegisterWriter(RecordFiles& records, bool reuse) : m_files(records.files()), m_counters(m_files), m_reuse(reuse) {}

    std::string findUnit(const std::string& name)
    {
        return find(unitsFileName(), RecordKind::Unit, kUnitNameKeys, {polishUpper(name)});
    }

    // The units of those lines (one line for each), those Cell.dat lacks even under its exclusive
    // lock added in one append; each unit's identifier is kept for the lines that name it, and for
    // the units added, the numbers of their employees (as many as their lines, lineCounts) are
    // drawn ahead. Returns how many units were added.
    int addUnits(const std::vector<ImportFields>& lines, const std::vector<int>& lineCounts)
    {
        std::vector<Names> names;
        std::vector<std::string> bodies; // checked before anything is written
        for (const ImportFields& f : lines) {
            names.push_back({polishUpper(f[2])});
            bodies.push_back(encodedFieldLines(unitRecord(f)));
        }
        std::vector<std::size_t> added;
        if (!allFound(unitsFileName(), RecordKind::Unit, kUnitNameKeys, names))
            added = appendMissing(unitsFileName(), RecordKind::Unit, kUnitNameKeys, names, bodies);
        const Known& known = m_known[unitsFileName()];
        for (const Names& unit : names)
            m_unitIds[unit.front()] = idOf(known, unit);
        int newEmployees = 0;
        for (const std::size_t line : added) {
            m_unitsAdded.insert(names[line].front());
            newEmployees += lineCounts[line];
        }
        if (newEmployees > 0)
            m_drawnAhead = m_counters.next(Counter::Person, std::min(newEmployees, kMostDrawnAhead));
        return static_cast<int>(added.size());
    }

    // The identifier the units pass found or gave the unit of that upper-cased name; empty for a
    // unit it did not see (the file changed since).
    std::string unitIdOf(const std::string& upperName) const
    {
        const auto found = m_unitIds.find(upperName);
        return found == m_unitIds.end() ? std::string() : found->second;
    }

    // The unit of that name, added when it is not there even under the exclusive lock.
    std::string addUnit(const ImportFields& f, bool& added)
    {
        const Names names = {polishUpper(f[2])};
        added = !appendMissing(unitsFileName(), RecordKind::Unit, kUnitNameKeys, {names},
                               {encodedFieldLines(unitRecord(f))})
                     .empty();
        if (added)
            m_unitsAdded.insert(names.front());
        return idOf(m_known[unitsFileName()], names);
    }

    // The employees of the lines that are not in the unit's file even under its exclusive lock, in
    // one append; returns how many were added. A name that stands twice goes in once.
    int addEmployees(const std::string& unitId, const std::vector<ImportFields>& lines)
    {
        const std::string file = employeesFileName(unitId);
        std::vector<Names> names;
        std::vector<std::string> bodies; // checked before anything is written
        for (const ImportFields& f : lines) {
            names.push_back({polishUpper(f[5]), polishUpper(f[6])});
            bodies.push_back(encodedFieldLines(employeeRecord(f)));
        }
        // A unit this import has just added has nobody yet worth a shared look (the exclusive one
        // below still sees an import of the same file elsewhere).
        const bool fresh = m_unitsAdded.erase(polishUpper(lines.front()[2])) > 0;
        if (!fresh && allFound(file, RecordKind::Employee, kEmployeeNameKeys, names))
            return 0; // a shared look was enough: nothing to append
        const OpenKind open = fresh ? OpenKind::TextAppendToNew : OpenKind::TextAppendOrCreate;
        return static_cast<int>(
            appendMissing(file, RecordKind::Employee, kEmployeeNameKeys, names, bodies, open).size());
    }

private:
    using Names = std::vector<std::string>; // the upper-cased values a record is looked up by

    // What the import made of one file's content: the first live record of each name.
    struct Known
    {
        bool valid = false;
        std::string content;
        std::map<Names, std::string> firstIdByNames;
    };

    static std::string_view readInto(SharedFile& file, std::string& buffer)
    {
        const auto size = static_cast<std::size_t>(file.size());
        if (buffer.size() < size)
            buffer.resize(size);
        return std::string_view(buffer.data(), file.readAt(0, buffer.data(), size));
    }

    // What the content holds, made again unless it is byte for byte the content it was made of.
    Known& knownFor(const std::string& file, RecordKind kind, std::span<const std::string_view> keys,
                    std::string_view content)
    {
        Known& known = m_known[file];
        if (m_reuse && known.valid && known.content == content)
            return known;
        known.valid = false;
        known.content.assign(content);
        known.firstIdByNames.clear();
        // The one reading of live records every reader uses; an earlier record of a name wins.
        scanLiveRecords(content, deletionKey(kind), keys,
                        [&](std::string_view id, std::span<const std::string_view> values) {
                            Names upper;
                            for (const std::string_view value : values)
                                upper.push_back(polishUpper(cp1250ToUtf8(value)));
                            known.firstIdByNames.emplace(std::move(upper), cp1250ToUtf8(id));
                            return false;
                        });
        known.valid = true;
        return known;
    }

    static std::string idOf(const Known& known, const Names& names)
    {
        const auto found = known.firstIdByNames.find(names);
        return found == known.firstIdByNames.end() ? std::string() : found->second;
    }

    std::string find(const std::string& file, RecordKind kind, std::span<const std::string_view> keys,
                     const Names& wanted)
    {
        std::optional<SharedFile> shared = m_files.openIfExists(file, OpenKind::TextRead);
        if (!shared) {
            m_known.erase(file);
            return {};
        }
        const std::string_view content = readInto(*shared, m_buffer);
        shared->close();
        return idOf(knownFor(file, kind, keys, content), wanted);
    }

    bool allFound(const std::string& file, RecordKind kind, std::span<const std::string_view> keys,
                  const std::vector<Names>& wanted)
    {
        std::optional<SharedFile> shared = m_files.openIfExists(file, OpenKind::TextRead);
        if (!shared) {
            m_known.erase(file);
            return false;
        }
        const std::string_view content = readInto(*shared, m_buffer);
        shared->close();
        const Known& known = knownFor(file, kind, keys, content);
        return std::all_of(wanted.begin(), wanted.end(),
                           [&](const Names& names) { return !idOf(known, names).empty(); });
    }

    // Under the exclusive lock of the file (made when missing): looked up once more, and the records
    // still missing appended in one write, each name once, with their numbers drawn in one go. The
    // numbers are drawn while the file is held; a counter's draw takes no other lock, so holding a
    // data file meanwhile can never leave two workstations waiting on each other. Gives the
    // positions (in names) of the records that went in.
    std::vector<std::size_t> appendMissing(const std::string& file, RecordKind kind,
                                           std::span<const std::string_view> keys, const std::vector<Names>& names,
                                           const std::vector<std::string>& bodies,
                                           OpenKind open = OpenKind::TextAppendOrCreate)
    {
        SharedFile shared = m_files.openWithRetry(file, open);
        Known& known = knownFor(file, kind, keys, readInto(shared, m_buffer));
        std::vector<std::size_t> missing;
        std::set<Names> taken;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (idOf(known, names[i]).empty() && taken.insert(names[i]).second)
                missing.push_back(i);
        }
        if (missing.empty()) {
            shared.close();
            return missing;
        }
        const std::vector<std::string> ids = draw(kind, missing.size());
        std::string text;
        for (std::size_t k = 0; k < missing.size(); ++k)
            text += recordText(ids[k], bodies[missing[k]], deletionKey(kind));
        known.valid = false; // until the append is known to be in the file
        known.content += shared.append(text);
        for (std::size_t k = 0; k < missing.size(); ++k)
            known.firstIdByNames.emplace(names[missing[k]], ids[k]);
        known.valid = true;
        shared.close();
        return missing;
    }

    // Numbers for count new records: employees' from those drawn ahead first, in their order.
    std::vector<std::string> draw(RecordKind kind, std::size_t count)
    {
        std::vector<std::string> ids;
        if (kind == RecordKind::Employee) {
            const std::size_t taken = std::min(count, m_drawnAhead.size() - m_nextAhead);
            const auto first = m_drawnAhead.begin() + static_cast<std::ptrdiff_t>(m_nextAhead);
            ids.assign(first, first + static_cast<std::ptrdiff_t>(taken));
            m_nextAhead += taken;
        }
        if (ids.size() < count) {
            std::vector<std::string> more = m_counters.next(counterOf(kind), static_cast<int>(count - ids.size()));
            ids.insert(ids.end(), more.begin(), more.end());
        }
        return ids;
    }

    SharedFileAccess& m_files;
    Counters m_counters;
    bool m_reuse;
    std::map<std::string, Known> m_known;         // by relative file name
    std::set<std::string> m_unitsAdded;           // upper-cased names of units added and not yet filled
    std::map<std::string, std::string> m_unitIds; // by upper-cased name, as the units pass left them
    std::vector<std::string> m_drawnAhead;        // employees' numbers drawn for the units added
    std::size_t m_nextAhead = 0;                  // the first of them not yet used
    std::string m_buffer;                         // the files are read into it one after another
};

// The first pass: every unit the file names, by the first line that names it, looked up and those
// Cell.dat lacks added at once. A failure names the file's first line, since no employee is in yet.
void addMissingUnits(ImportSource& source, RegisterWriter& writer, ImportResult& result)
{
    std::vector<ImportFields> firstLines;
    std::vector<int> lineCounts; // of each unit in firstLines
    std::map<std::string, std::size_t> named;
    int lineNumber = 0;
    int firstLineNumber = 0;
    source.forEachLine([&](std::string_view line, std::uint64_t) {
        ++lineNumber;
        if (auto fields = fieldsOf(line)) {
            if (firstLineNumber == 0)
                firstLineNumber = lineNumber;
            const auto [unit, isNew] = named.emplace(polishUpper((*fields)[2]), firstLines.size());
            if (isNew) {
                firstLines.push_back(std::move(*fields));
                lineCounts.push_back(0);
            }
            ++lineCounts[unit->second];
        }
    });
    if (firstLines.empty())
        return;
    try {
        result.unitsAdded += writer.addUnits(firstLines, lineCounts);
    } catch (const IoError& error) {
        throw ImportInterrupted(error, result, firstLineNumber);
    }
}

} // namespace

ImportInterrupted::ImportInterrupted(const IoError& cause, ImportResult done, int lineNumber)
    : IoError(cause.relativeName(), cause.systemText(),
              std::string(cause.what()) + " Import przerwano w wierszu " + std::to_string(lineNumber) +
                  " pliku importu; to, co wczytano z wierszy przed nim, zostało zapisane (przyjęte wiersze: " +
                  std::to_string(done.taken) + ", nowe komórki: " + std::to_string(done.unitsAdded) +
                  ", nowi pracownicy: " + std::to_string(done.employeesAdded) + ")."),
      m_done(std::move(done)), m_lineNumber(lineNumber)
{}

ImportResult importRegister(RecordFiles& records, ImportSource& source, const ImportProgress& progress,
                            ImportReading reading)
{
    ImportResult result;
    result.refusal = source.check();
    result.encoding = source.encoding();
    if (!result.refusal.empty())
        return result;
    const std::uint64_t total = source.size();
    RegisterWriter writer(records, reading == ImportReading::ReuseUnchanged);
    // The new files' folder entries are forced to disk before each report of progress, not one by
    // one: what the progress tells is in the files all the same.
    SharedFileAccess::FolderSyncBatch newFiles(records.files());
    addMissingUnits(source, writer, result);
    UnitLines batch;
    // The lines of one unit so far go in; a failure names the first of them.
    const auto flush = [&] {
        if (batch.lines.empty())
            return;
        try {
            bool added = false;
            std::string unitId = writer.unitIdOf(batch.unit);
            if (unitId.empty())
                unitId = writer.findUnit(batch.lines.front()[2]);
            if (unitId.empty()) {
                unitId = writer.addUnit(batch.lines.front(), added);
                result.unitsAdded += added ? 1 : 0;
            }
            result.employeesAdded += writer.addEmployees(unitId, batch.lines);
            result.taken += static_cast<int>(batch.lines.size()); // whether or not anything was added
        } catch (const IoError& error) {
            throw ImportInterrupted(error, result, batch.firstLine);
        }
        batch = {};
    };
    int lineNumber = 0;
    source.forEachLine([&](std::string_view line, std::uint64_t done) {
        ++lineNumber;
        if (auto fields = fieldsOf(line)) {
            std::string unit = polishUpper((*fields)[2]);
            if (unit != batch.unit)
                flush();
            if (batch.lines.empty()) {
                batch.unit = std::move(unit);
                batch.firstLine = lineNumber;
            }
            batch.lines.push_back(std::move(*fields));
        }
        // What the progress tells is in the files; and a file of one huge unit is still read with
        // flat memory.
        if (lineNumber % kProgressEveryLines == 0) {
            flush();
            newFiles.syncNow();
            if (progress)
                progress(done, total);
        }
    });
    flush();
    newFiles.syncNow();
    if (progress)
        progress(total, total);
    return result;
}

ImportResult importRegister(RecordFiles& records, const std::string& importFilePath, const ImportProgress& progress)
{
    return importRegister(records, importFilePath, progress, ImportReading::ReuseUnchanged);
}

ImportResult importRegister(RecordFiles& records, const std::string& importFilePath, const ImportProgress& progress,
                            ImportReading reading)
{
    ImportSource source(importFilePath);
    return importRegister(records, source, progress, reading);
}

std::string importFormatErrorText()
{
    return "UWAGA! Błędny format pliku lub brak danych.";
}

std::string importSummaryText(const ImportResult& result)
{
    return "Przyjęte wiersze: " + std::to_string(result.taken) +
           ", nowe komórki: " + std::to_string(result.unitsAdded) +
           ", nowi pracownicy: " + std::to_string(result.employeesAdded) + ". Plik odczytano w kodowaniu " +
           importEncodingName(result.encoding) + ".";
}

} // namespace taviro
