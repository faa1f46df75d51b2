// libFuzzer entry for the reading of record files: any bytes as the content of a Cell.dat, a Pe or a
// Gr file. Besides not crashing:
// - the lines are contiguous, cover the content and hold no line end;
// - every byte of the code page survives the way to UTF-8 and back (what a rewrite relies on);
// - the live-record scanner finds, at every block width, what a plain line-by-line reading finds;
// - a record read by identifier, written back with the record writer and read again, gives the
//   same lines;
// - a rewrite that changes nothing copies every line byte for byte (line ends become CR LF).
#include "Counters.h"
#include "FuzzSupport.h"
#include "RecordFiles.h"
#include "RecordKeys.h"
#include "RecordText.h"
#include "TextCodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace taviro;
using taviro::fuzz::require;

struct KeySet
{
    std::string_view deletionKey;
    std::vector<std::string_view> keys;
};

// The readings the program makes, and one with more distinct key lengths than the scanner's blocks
// look for at once (every line is read then).
const std::vector<KeySet>& keySets()
{
    using namespace keys;
    static const std::vector<KeySet> sets = {
        {unit::kDelete, {unit::kName}},
        {employee::kDelete, {employee::kName, employee::kSurname}},
        {employee::kDelete, {employee::kName, employee::kSurname, employee::kPosition, employee::kDate1}},
        {appraisal::kDelete, {appraisal::kPeriodEnd}},
        {appraisal::kDelete, {appraisal::kGradeDrawnUp, appraisal::kGrade}},
        {employee::kDelete,
         {employee::kName, employee::kSurname, employee::kPosition, employee::kEmploy, employee::kDate1}},
    };
    return sets;
}

struct Found
{
    std::string_view id;
    std::vector<std::string_view> values;
    bool operator==(const Found&) const = default;
};

// The reading as the record format describes it, one line after another.
std::vector<Found> lineByLine(std::string_view content, const KeySet& set)
{
    std::vector<Found> found;
    Found current{{}, std::vector<std::string_view>(set.keys.size())};
    for (const LineSpan& line : Lines(content)) {
        if (isRecordStart(line.text)) {
            current = {{}, std::vector<std::string_view>(set.keys.size())};
            continue;
        }
        const KeyValue field = splitLine(line.text);
        if (field.key == keys::kId) {
            current.id = field.value;
        } else if (field.key == set.deletionKey) {
            if (field.value == "0" && !current.id.empty())
                found.push_back(current);
        } else {
            const auto key = std::find(set.keys.begin(), set.keys.end(), field.key);
            if (key != set.keys.end())
                current.values[static_cast<std::size_t>(key - set.keys.begin())] = field.value;
        }
    }
    return found;
}

std::vector<Found> scanned(std::string_view content, const KeySet& set, LiveRecordScanner::Blocks blocks)
{
    LiveRecordScanner scanner(set.deletionKey, set.keys);
    scanner.setBlocks(blocks);
    scanner.start(content);
    std::vector<Found> found;
    while (scanner.next())
        found.push_back({scanner.id(), {scanner.values().begin(), scanner.values().end()}});
    return found;
}

void checkLines(std::string_view content, LineEnds ends)
{
    std::size_t at = 0;
    for (const LineSpan& line : Lines(content, ends)) {
        require(line.begin == at && line.next > at && line.next <= content.size(), "lines follow one another");
        require(content.substr(line.begin, line.text.size()) == line.text, "a line is the content where it begins");
        require(line.text.find('\n') == std::string_view::npos, "a line holds no line feed");
        require(ends == LineEnds::Lf || line.text.find('\r') == std::string_view::npos, "a line holds no line end");
        at = line.next;
    }
    require(at == content.size(), "the lines cover the content");
}

// The record of that identifier as the reader finds it, written back as the writer appends a
// record and read again: the same lines, after the identifier line and before the new deletion line.
void checkRecordRoundTrip(std::string_view content, std::string_view id, std::string_view deletionKey)
{
    const std::vector<KeyValue> read = recordFields(content, id);
    require(!read.empty() && read.front().key == keys::kId, "a found identifier has its record");
    Fields fields;
    for (auto field = read.begin() + 1; field != read.end(); ++field)
        fields.push_back({cp1250ToUtf8(field->key), cp1250ToUtf8(field->value)});
    const std::string written = recordText(id, encodedFieldLines(fields), deletionKey);
    const std::vector<KeyValue> again = recordFields(written, id);
    require(again.size() == read.size() + 1, "a record written back keeps its number of lines");
    require(again.front().key == keys::kId && again.front().value == id, "a record written back keeps its identifier");
    for (std::size_t i = 1; i < read.size(); ++i)
        require(again[i].key == read[i].key && again[i].value == read[i].value,
                "a record written back keeps its lines");
    require(again.back().key == deletionKey && again.back().value == "0", "a record written back is live");
}

// The content as Cell.dat, rewritten through a temporary file with the record of that identifier
// handed back as it came.
void checkUnchangingRewrite(std::string_view content, std::string_view id)
{
    static taviro::fuzz::RecordStore fixture;
    fixture.folder.write("data/Cell.dat", content);
    const bool found =
        fixture.records.rewrite(unitsFileName(), id, [](const std::vector<std::string>& lines) { return lines; });
    require(found, "a rewrite finds the record of an identifier the scanner found");
    std::string expected;
    for (const LineSpan& line : Lines(content)) {
        expected += line.text;
        expected += "\r\n";
    }
    require(fixture.files.readIfExists(unitsFileName()) == expected, "a rewrite copies unchanged lines as they were");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    checkLines(content, LineEnds::Lf);
    checkLines(content, LineEnds::Any);
    require(utf8ToCp1250(cp1250ToUtf8(content)) == content, "every byte survives UTF-8 and back");

    std::vector<std::string_view> ids;
    for (const KeySet& set : keySets()) {
        const std::vector<Found> expected = lineByLine(content, set);
        for (const auto blocks : {LiveRecordScanner::Blocks::Bytes, LiveRecordScanner::Blocks::Sse2,
                                  LiveRecordScanner::Blocks::Avx2, LiveRecordScanner::Blocks::Avx512})
            require(scanned(content, set, blocks) == expected, "the scanner reads what a line-by-line reading does");
        for (const Found& record : expected) {
            if (ids.size() < 16 && std::find(ids.begin(), ids.end(), record.id) == ids.end())
                ids.push_back(record.id);
        }
    }
    for (const std::string_view id : ids)
        checkRecordRoundTrip(content, id, keys::unit::kDelete);
    if (!ids.empty())
        checkUnchangingRewrite(content, ids.front());
    return 0;
}
