#include "RecordFiles.h"

#include "RecordKeys.h"
#include "TextCodec.h"

#include <algorithm>

namespace taviro {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string storedLine(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += value;
    return line;
}

} // namespace

std::string_view deletionKey(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Unit:
        return keys::unit::kDelete;
    case RecordKind::Employee:
        return keys::employee::kDelete;
    case RecordKind::Appraisal:
        return keys::appraisal::kDelete;
    }
    return {};
}

Counter counterOf(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Unit:
        return Counter::Cell;
    case RecordKind::Employee:
        return Counter::Person;
    case RecordKind::Appraisal:
        return Counter::Grade;
    }
    return Counter::Cell;
}

std::string unitsFileName()
{
    return "Cell.dat";
}

std::string employeesFileName(std::string_view unitIdentifier)
{
    return "Pe" + std::string(unitIdentifier) + ".dat";
}

std::string appraisalsFileName(std::string_view employeeIdentifier)
{
    return "Gr" + std::string(employeeIdentifier) + ".dat";
}

Transformation softDelete(RecordKind kind)
{
    return [key = std::string(deletionKey(kind))](const std::vector<std::string>& lines) {
        std::vector<std::string> out = lines;
        for (std::string& line : out) {
            if (splitLine(line).key == key)
                line = key + "1";
        }
        return out;
    };
}

Transformation replaceValues(Fields values, std::vector<std::string> addIfMissing)
{
    return [values = std::move(values), addIfMissing = std::move(addIfMissing)](const std::vector<std::string>& lines) {
        std::vector<std::string> out;
        std::vector<std::string> seen;
        for (const std::string& line : lines) {
            const auto key = splitLine(line).key;
            const auto replacement =
                std::find_if(values.begin(), values.end(), [&](const Field& field) { return field.key == key; });
            if (replacement == values.end()) {
                out.push_back(line);
                continue;
            }
            out.push_back(storedLine(replacement->key, replacement->value));
            seen.emplace_back(key);
        }
        for (const std::string& key : addIfMissing) {
            if (std::find(seen.begin(), seen.end(), key) != seen.end())
                continue;
            const auto field = std::find_if(values.begin(), values.end(),
                                            [&](const Field& candidate) { return candidate.key == key; });
            out.push_back(storedLine(key, field == values.end() ? std::string() : field->value));
        }
        return out;
    };
}

Transformation replaceBody(RecordKind kind, Fields fields)
{
    return [key = std::string(deletionKey(kind)), fields = std::move(fields)](const std::vector<std::string>& lines) {
        std::vector<std::string> out;
        out.push_back(lines.empty() ? std::string() : lines.front());
        for (const Field& field : fields)
            out.push_back(storedLine(field.key, field.value));
        out.push_back(key + "0");
        return out;
    };
}

RecordFiles::RecordFiles(SharedFileAccess& files, Counters& counters, std::string session)
    : m_files(files), m_counters(counters), m_session(std::move(session))
{}

std::vector<LiveRecord> RecordFiles::enumerateLive(std::string_view file, RecordKind kind,
                                                   std::span<const std::string_view> keys)
{
    std::vector<LiveRecord> records;
    const std::optional<std::string> content = m_files.readIfExists(file);
    if (!content)
        return records;
    scanLiveRecords(*content, deletionKey(kind), keys,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        LiveRecord record{cp1250ToUtf8(id), {}};
                        record.values.reserve(values.size());
                        for (const std::string_view value : values)
                            record.values.push_back(cp1250ToUtf8(value));
                        records.push_back(std::move(record));
                        return false;
                    });
    return records;
}

namespace {

// The identifier of the first live record whose values, upper-cased after Polish rules, equal the
// wanted ones (already upper-cased); empty when there is none.
std::string firstIdByNames(const std::optional<std::string>& content, RecordKind kind,
                           std::span<const std::string_view> keys, const std::vector<std::string>& wanted)
{
    std::string found;
    if (!content)
        return found;
    scanLiveRecords(*content, deletionKey(kind), keys,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        for (std::size_t i = 0; i < values.size(); ++i) {
                            if (polishUpper(cp1250ToUtf8(values[i])) != wanted[i])
                                return false;
                        }
                        found = cp1250ToUtf8(id);
                        return true;
                    });
    return found;
}

} // namespace

std::string RecordFiles::findUnitIdByName(std::string_view name)
{
    constexpr std::string_view keys[] = {keys::unit::kName};
    return firstIdByNames(m_files.readIfExists(unitsFileName()), RecordKind::Unit, keys, {polishUpper(name)});
}

std::string RecordFiles::findEmployeeIdByName(std::string_view unitIdentifier, std::string_view firstName,
                                              std::string_view surname)
{
    constexpr std::string_view keys[] = {keys::employee::kName, keys::employee::kSurname};
    return firstIdByNames(m_files.readIfExists(employeesFileName(unitIdentifier)), RecordKind::Employee, keys,
                          {polishUpper(firstName), polishUpper(surname)});
}

Fields RecordFiles::readById(std::string_view file, std::string_view identifier)
{
    Fields fields;
    const std::optional<std::string> content = m_files.readIfExists(file);
    if (!content)
        return fields;
    for (const KeyValue& field : recordFields(*content, identifier))
        fields.push_back({cp1250ToUtf8(field.key), decodeMultiLine(cp1250ToUtf8(field.value))});
    return fields;
}

std::string RecordFiles::add(std::string_view file, RecordKind kind, const Fields& fields)
{
    // Every value is checked before anything is drawn or written.
    const std::string body = encodedFieldLines(fields);
    if (!m_files.exists(file)) {
        // Waits rather than failing when another workstation is creating the same file.
        m_files.openWithRetry(file, OpenKind::BinaryOpenOrCreate).close();
    }
    const std::string id = m_counters.next(counterOf(kind));
    SharedFile shared = m_files.openWithRetry(file, OpenKind::TextAppend);
    shared.append(recordText(id, body, deletionKey(kind)));
    shared.close();
    return id;
}

std::string RecordFiles::temporaryFileName(std::string_view file) const
{
    std::string stem(file);
    if (const auto dot = stem.rfind('.'); dot != std::string::npos)
        stem.resize(dot);
    return relativeName({"Temp", stem + m_session + ".tem"});
}

bool RecordFiles::rewrite(std::string_view file, std::string_view identifier, const Transformation& transformation)
{
    return rewriteIf(file, identifier, {}, transformation) == Rewrite::Rewritten;
}

RecordFiles::Rewrite RecordFiles::rewriteIf(std::string_view file, std::string_view identifier,
                                            const RecordCheck& check, const Transformation& transformation)
{
    // Exclusive for the whole copy and the replacement: no other workstation appends to or
    // rewrites the file in between, so no change is lost.
    std::optional<SharedFile> shared = m_files.openIfExists(file, OpenKind::BinaryRead);
    if (!shared)
        return Rewrite::NotFound;
    const std::string content = shared->readAll();

    std::string copy;
    copy.reserve(content.size() + 256);
    bool found = false;
    bool refused = false;
    bool selected = false;
    std::vector<std::string> recordLines;
    const auto writeSelection = [&] {
        if (check && !refused && !check(recordLines))
            refused = true;
        for (const std::string& line : transformation(recordLines)) {
            copy += utf8ToCp1250(line);
            copy += kLineEnd;
        }
        recordLines.clear();
        selected = false;
    };
    for (const LineSpan& line : Lines(content)) {
        const std::string_view raw = line.text;
        if (selected && (isRecordEnd(raw) || isRecordStart(raw)))
            writeSelection();
        if (!selected && splitLine(raw).key == keys::kId && splitLine(raw).value == identifier) {
            selected = true;
            found = true;
        }
        if (selected) {
            recordLines.push_back(cp1250ToUtf8(raw));
        } else {
            copy += raw; // untouched lines go over byte for byte
            copy += kLineEnd;
        }
    }
    if (selected)
        writeSelection();
    if (refused)
        return Rewrite::Refused;
    if (check && !found)
        return Rewrite::NotFound;

    const std::string temporary = temporaryFileName(file);
    platform::File output = m_files.createPrivateFile(temporary);
    m_files.writePrivate(output, temporary, copy);
    try {
        shared->replaceWith(m_files.fullPath(temporary));
    } catch (const IoError&) {
        // The data file stays as it was (a file held open elsewhere cannot be replaced on Windows);
        // the copy that did not take its place must not stay behind in Temp.
        platform::removeFile(m_files.fullPath(temporary));
        throw;
    }
    return found ? Rewrite::Rewritten : Rewrite::NotFound;
}

std::string valueFromLoaded(const std::vector<std::string>& lines, std::string_view key)
{
    for (const std::string& line : lines) {
        if (line.find(key) == std::string::npos)
            continue;
        const auto eq = line.find('=');
        return eq == std::string::npos ? std::string() : line.substr(eq + 1);
    }
    return {};
}

} // namespace taviro
