#include "RecordText.h"

#include "TextCodec.h"

namespace taviro {

std::vector<std::string_view> splitLines(std::string_view content, LineEnds ends)
{
    std::vector<std::string_view> lines;
    for (const LineSpan& line : Lines(content, ends))
        lines.push_back(line.text);
    return lines;
}

bool isRecordStart(std::string_view line)
{
    return trimmedView(line) == "{";
}

bool isRecordEnd(std::string_view line)
{
    return trimmedView(line) == "}";
}

bool sameIdentifier(std::string_view stored, std::string_view wanted)
{
    if (stored == wanted)
        return true;
    const auto a = parseInteger(stored);
    const auto b = parseInteger(wanted);
    return a && b && *a == *b;
}

void scanLiveRecords(std::string_view content, std::string_view deletionKey, std::span<const std::string_view> keys,
                     const LiveRecordVisitor& onRecord)
{
    std::vector<std::string_view> values(keys.size());
    std::string_view id;
    for (const LineSpan& line : Lines(content)) {
        const std::size_t eq = line.text.find('=');
        if (eq == std::string_view::npos) {
            if (isRecordStart(line.text)) {
                id = {};
                values.assign(keys.size(), std::string_view());
            }
            continue;
        }
        const std::string_view key = line.text.substr(0, eq + 1);
        const std::string_view value = line.text.substr(eq + 1);
        if (key == "ID=") {
            id = value;
        } else if (key == deletionKey) {
            if (value == "0" && !id.empty() && onRecord(id, values))
                return;
        } else {
            for (std::size_t i = 0; i < keys.size(); ++i) {
                if (key == keys[i]) {
                    values[i] = value;
                    break;
                }
            }
        }
    }
}

std::vector<KeyValue> recordFields(std::string_view content, std::string_view identifier)
{
    std::vector<KeyValue> fields;
    bool selected = false;
    for (const LineSpan& line : Lines(content)) {
        if (selected && (isRecordEnd(line.text) || isRecordStart(line.text)))
            break; // "{" here means the record was cut short; the next one is not part of it
        const KeyValue field = splitLine(line.text);
        if (!selected && field.key == "ID=" && sameIdentifier(field.value, identifier))
            selected = true;
        if (selected)
            fields.push_back(field);
    }
    return fields;
}

std::string encodedFieldLines(const Fields& fields)
{
    std::string lines;
    for (const Field& field : fields) {
        lines += utf8ToCp1250(field.key);
        lines += utf8ToCp1250(field.value);
        lines += "\r\n";
    }
    return lines;
}

std::string recordText(std::string_view id, std::string_view encodedFields, std::string_view deletionKey)
{
    std::string record = "{\r\nID=";
    record += id;
    record += "\r\n";
    record += encodedFields;
    record += deletionKey;
    record += "0\r\n}\r\n\r\n";
    return record;
}

} // namespace taviro
