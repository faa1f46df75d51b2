#include "RecordFiles.h"

#include "TextCodec.h"

#include <algorithm>

namespace taviro {
namespace {

constexpr std::string_view kIdKey = "ID=";
constexpr std::string_view kLineEnd = "\r\n";

bool isRecordStart(std::string_view line)
{
    return trimmed(line) == "{";
}
bool isRecordEnd(std::string_view line)
{
    return trimmed(line) == "}";
}

bool sameIdentifier(std::string_view stored, std::string_view wanted)
{
    if (stored == wanted)
        return true;
    const auto a = parseInteger(stored);
    const auto b = parseInteger(wanted);
    return a && b && *a == *b;
}

std::string storedLine(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += value;
    return line;
}

} // namespace

std::string deletionKey(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Unit:
        return "CELLDELETE=";
    case RecordKind::Employee:
        return "PERSONDELETE=";
    case RecordKind::Appraisal:
        return "DELETE=";
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

std::vector<LineSpan> lineSpans(std::string_view content)
{
    std::vector<LineSpan> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        const bool complete = end != std::string_view::npos;
        if (!complete)
            end = content.size();
        std::string_view text = content.substr(start, end - start);
        if (complete && !text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        lines.push_back({text, start, complete ? end + 1 : end});
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> splitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    for (const LineSpan& span : lineSpans(content))
        lines.push_back(span.text);
    return lines;
}

Transformation softDelete(RecordKind kind)
{
    return [key = deletionKey(kind)](const std::vector<std::string>& lines) {
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
    return [key = deletionKey(kind), fields = std::move(fields)](const std::vector<std::string>& lines) {
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

template <typename OnRecord>
void RecordFiles::scanLive(std::string_view file, RecordKind kind, const std::vector<std::string>& keys,
                           OnRecord onRecord)
{
    if (!m_files.exists(file))
        return;
    std::string content;
    {
        SharedFile shared = m_files.openWithRetry(file, OpenKind::TextRead);
        content = shared.readAll();
        shared.close();
    }
    const std::string deletion = deletionKey(kind);
    LiveRecord current{{}, std::vector<std::string>(keys.size())};
    for (const std::string_view raw : splitLines(content)) {
        if (isRecordStart(raw)) {
            // A record cut short by a crash must not lend its values to the next one.
            current = LiveRecord{{}, std::vector<std::string>(keys.size())};
            continue;
        }
        const std::string line = cp1250ToUtf8(raw);
        const auto [key, value] = splitLine(line);
        if (key == kIdKey) {
            current.id = value;
        } else if (key == deletion) {
            if (value == "0" && !current.id.empty() && onRecord(current))
                return;
        } else {
            const auto wanted = std::find(keys.begin(), keys.end(), key);
            if (wanted != keys.end())
                current.values[static_cast<std::size_t>(wanted - keys.begin())] = value;
        }
    }
}

std::vector<LiveRecord> RecordFiles::enumerateLive(std::string_view file, RecordKind kind,
                                                   const std::vector<std::string>& keys)
{
    std::vector<LiveRecord> records;
    scanLive(file, kind, keys, [&](const LiveRecord& record) {
        LiveRecord decoded = record;
        for (std::string& value : decoded.values)
            value = decodeMultiLine(value);
        records.push_back(std::move(decoded));
        return false;
    });
    return records;
}

std::string RecordFiles::findUnitIdByName(std::string_view name)
{
    const std::string wanted = polishUpper(name);
    std::string found;
    scanLive(unitsFileName(), RecordKind::Unit, {"CELLNAME="}, [&](const LiveRecord& record) {
        if (polishUpper(record.values[0]) != wanted)
            return false;
        found = record.id;
        return true;
    });
    return found;
}

std::string RecordFiles::findEmployeeIdByName(std::string_view unitIdentifier, std::string_view firstName,
                                              std::string_view surname)
{
    const std::string wantedFirst = polishUpper(firstName);
    const std::string wantedSurname = polishUpper(surname);
    std::string found;
    scanLive(employeesFileName(unitIdentifier), RecordKind::Employee, {"PERSONNAME=", "PERSONSURNAME="},
             [&](const LiveRecord& record) {
                 if (polishUpper(record.values[0]) != wantedFirst || polishUpper(record.values[1]) != wantedSurname)
                     return false;
                 found = record.id;
                 return true;
             });
    return found;
}

Fields RecordFiles::readById(std::string_view file, std::string_view identifier)
{
    Fields fields;
    if (!m_files.exists(file))
        return fields;
    std::string content;
    {
        SharedFile shared = m_files.openWithRetry(file, OpenKind::TextRead);
        content = shared.readAll();
        shared.close();
    }
    bool selected = false;
    for (const std::string_view raw : splitLines(content)) {
        if (selected && (isRecordEnd(raw) || isRecordStart(raw)))
            break; // "{" here means the record was cut short; the next one is not part of it
        const std::string line = cp1250ToUtf8(raw);
        const auto [key, value] = splitLine(line);
        if (!selected && key == kIdKey && sameIdentifier(value, identifier))
            selected = true;
        if (selected)
            fields.push_back({std::string(key), decodeMultiLine(value)});
    }
    return fields;
}

std::string RecordFiles::add(std::string_view file, RecordKind kind, const Fields& fields)
{
    // Every value is checked before anything is drawn or written.
    std::string body;
    for (const Field& field : fields) {
        body += utf8ToCp1250(field.key + field.value);
        body += kLineEnd;
    }
    if (!m_files.exists(file)) {
        // Waits rather than failing when another workstation is creating the same file.
        m_files.openWithRetry(file, OpenKind::BinaryOpenOrCreate).close();
    }
    const std::string id = m_counters.next(counterOf(kind));
    std::string record = "{\r\nID=" + id + "\r\n" + body + deletionKey(kind) + "0\r\n}\r\n\r\n";
    SharedFile shared = m_files.openWithRetry(file, OpenKind::TextAppend);
    shared.append(record);
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
    if (!m_files.exists(file))
        return false;
    // Exclusive for the whole copy and the replacement: no other workstation appends to or
    // rewrites the file in between, so no change is lost.
    SharedFile shared = m_files.openWithRetry(file, OpenKind::BinaryRead);
    const std::string content = shared.readAll();

    std::string copy;
    copy.reserve(content.size() + 256);
    bool found = false;
    bool selected = false;
    std::vector<std::string> recordLines;
    const auto writeSelection = [&] {
        for (const std::string& line : transformation(recordLines)) {
            copy += utf8ToCp1250(line);
            copy += kLineEnd;
        }
        recordLines.clear();
        selected = false;
    };
    for (const std::string_view raw : splitLines(content)) {
        if (selected && (isRecordEnd(raw) || isRecordStart(raw)))
            writeSelection();
        if (!selected && splitLine(raw).key == kIdKey && splitLine(raw).value == identifier) {
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

    const std::string temporary = temporaryFileName(file);
    platform::File output = m_files.createPrivateFile(temporary);
    m_files.writePrivate(output, temporary, copy);
    shared.replaceWith(m_files.fullPath(temporary));
    return found;
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
