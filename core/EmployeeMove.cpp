// Moving an employee's record from one unit's employee file to another's.
//
// Both files are held exclusively for the whole move, their locks taken in the fixed order of
// SharedFileAccess::lockBothWithRetry: a source read-locked first and a target locked second, as a
// plain reading of the move would have it, lets two workstations moving employees in opposite
// directions each hold the file the other waits for, for ever. The record goes to the target
// first (one flushed append), and only then is the source replaced by its copy without the record
// (temporary file and atomic rename): whenever the program stops, the record stands in at least
// one of the two files.
#include "Register.h"

#include "RecordKeys.h"

#include <algorithm>

namespace taviro {
namespace {

bool isIdLineOf(std::string_view line, std::string_view identifier)
{
    const auto [key, value] = splitLine(line);
    return key == keys::kId && value == identifier;
}

// One record of the wanted employee: its lines from "ID=" up to (not including) "}", as stored,
// and the bytes it takes in its file, from its "{" line to the end of its "}" line.
struct RecordSpan
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Every record with that identifier, in file order. A record cut short (a "{" or an "ID=" line
// before its "}") ends where the next one starts.
std::vector<RecordSpan> recordsWithId(std::string_view content, std::string_view identifier)
{
    const std::vector<LineSpan> lines(Lines(content).begin(), Lines(content).end());
    std::vector<RecordSpan> found;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (!isIdLineOf(lines[i].text, identifier)) {
            ++i;
            continue;
        }
        RecordSpan record;
        record.begin = i > 0 && isRecordStart(lines[i - 1].text) ? lines[i - 1].begin : lines[i].begin;
        record.lines.emplace_back(lines[i].text);
        record.end = content.size();
        for (++i; i < lines.size(); ++i) {
            const std::string_view text = lines[i].text;
            if (isRecordEnd(text)) {
                record.end = lines[i].next;
                ++i;
                break;
            }
            if (isRecordStart(text) || splitLine(text).key == keys::kId) {
                record.end = lines[i].begin;
                break;
            }
            record.lines.emplace_back(text);
        }
        found.push_back(std::move(record));
    }
    return found;
}

// The record as the move writes it into the target: "{", its lines, "}", and no separator line.
std::string movedText(const RecordSpan& record)
{
    std::string text = "{\r\n";
    for (const std::string& line : record.lines) {
        text += line;
        text += "\r\n";
    }
    text += "}\r\n";
    return text;
}

} // namespace

bool moveEmployee(RecordFiles& records, const std::string& sourceUnitId, const std::string& targetUnitId,
                  const std::string& employeeId)
{
    if (sourceUnitId == targetUnitId)
        return false;
    SharedFileAccess& files = records.files();
    const std::string source = employeesFileName(sourceUnitId);
    const std::string target = employeesFileName(targetUnitId);
    if (!files.exists(source))
        return false; // a missing file is an empty one and is not opened

    auto [sourceFile, targetFile] = files.lockBothWithRetry(source, target);
    files.openLocked(sourceFile, OpenKind::BinaryRead);
    const std::string content = sourceFile.readAll();
    const std::vector<RecordSpan> moving = recordsWithId(content, employeeId);
    if (moving.empty())
        return false; // both locks go with the handles; the target has not even been opened

    files.openLocked(targetFile, OpenKind::BinaryOpenOrCreate);
    // A move stopped between its two steps leaves the record in both files; moving it again must
    // not give the target a second copy.
    std::vector<RecordSpan> present = recordsWithId(targetFile.readAll(), employeeId);
    std::string appended;
    for (const RecordSpan& record : moving) {
        const bool there = std::any_of(present.begin(), present.end(),
                                       [&](const RecordSpan& other) { return other.lines == record.lines; });
        if (there)
            continue;
        appended += movedText(record);
        present.push_back(record);
    }
    if (!appended.empty())
        targetFile.append(appended); // one write, forced to disk before the source changes

    // The source keeps every other byte, the separator line after the moved record included.
    std::string remainder;
    remainder.reserve(content.size());
    std::size_t copied = 0;
    for (const RecordSpan& record : moving) {
        remainder.append(content, copied, record.begin - copied);
        copied = record.end;
    }
    remainder.append(content, copied, std::string::npos);

    const std::string temporary = records.temporaryFileName(source);
    platform::File output = files.createPrivateFile(temporary);
    files.writePrivate(output, temporary, remainder);
    sourceFile.replaceWith(files.fullPath(temporary));
    targetFile.close();
    return true;
}

} // namespace taviro
