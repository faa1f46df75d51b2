// The text of the record files, in one place: the line splitter, the scanner that reads records
// off the raw Windows-1250 bytes, and the writer that builds the lines of a record. Record files,
// the import, the move and the account files all go through it.
#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

// ---- Lines ----

enum class LineEnds
{
    Lf,  // a line ends at LF; a CR just before it is dropped (the data files)
    Any, // CR LF, LF and a lone CR all end a line (import files, decoded account lines)
};

// One line of a content: its text without the line end, where it begins and where the next begins.
struct LineSpan
{
    std::string_view text;
    std::size_t begin = 0;
    std::size_t next = 0;
};

// The lines of a content, lazily and without allocating. A last line cut short by a crash counts
// as a line; the empty text after a final line end does not.
class Lines
{
public:
    explicit Lines(std::string_view content, LineEnds ends = LineEnds::Lf) : m_content(content), m_ends(ends) {}

    class iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = LineSpan;
        using difference_type = std::ptrdiff_t;
        using pointer = const LineSpan*;
        using reference = const LineSpan&;

        iterator() = default;
        iterator(std::string_view content, LineEnds ends, std::size_t at) : m_content(content), m_ends(ends)
        {
            load(at);
        }
        const LineSpan& operator*() const { return m_line; }
        const LineSpan* operator->() const { return &m_line; }
        iterator& operator++()
        {
            load(m_line.next);
            return *this;
        }
        iterator operator++(int)
        {
            iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const iterator& other) const { return m_line.begin == other.m_line.begin; }

    private:
        void load(std::size_t at)
        {
            m_line.begin = at;
            if (at >= m_content.size()) {
                m_line = {{}, m_content.size(), m_content.size()};
                return;
            }
            const std::size_t end =
                m_ends == LineEnds::Lf ? m_content.find('\n', at) : m_content.find_first_of("\r\n", at);
            if (end == std::string_view::npos) {
                m_line.text = m_content.substr(at);
                m_line.next = m_content.size();
                return;
            }
            m_line.text = m_content.substr(at, end - at);
            m_line.next = end + 1;
            if (m_ends == LineEnds::Lf) {
                if (!m_line.text.empty() && m_line.text.back() == '\r')
                    m_line.text.remove_suffix(1);
            } else if (m_content[end] == '\r' && end + 1 < m_content.size() && m_content[end + 1] == '\n') {
                m_line.next = end + 2;
            }
        }
        std::string_view m_content;
        LineEnds m_ends = LineEnds::Lf;
        LineSpan m_line;
    };

    iterator begin() const { return {m_content, m_ends, 0}; }
    iterator end() const { return {m_content, m_ends, m_content.size()}; }

private:
    std::string_view m_content;
    LineEnds m_ends;
};

// The lines' texts gathered in a vector (for callers that index them).
std::vector<std::string_view> splitLines(std::string_view content, LineEnds ends = LineEnds::Lf);

// ---- Records ----

// A line split at its first "="; the key keeps the "=". A line without "=" is all key.
struct Field
{
    std::string key;
    std::string value;
    bool operator==(const Field&) const = default;
};
using Fields = std::vector<Field>;

// "{" and "}" frame a record; blanks and control characters around them do not count.
bool isRecordStart(std::string_view line);
bool isRecordEnd(std::string_view line);

// The key and value of a line without copying: the key keeps its "=". A line without "=" is all
// key with an empty value.
struct KeyValue
{
    std::string_view key;
    std::string_view value;
};
inline KeyValue splitLine(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, eq + 1), line.substr(eq + 1)};
}

// Whether an identifier as stored is the wanted one, as the same text or the same number.
bool sameIdentifier(std::string_view stored, std::string_view wanted);

// Reads the live records of a file's raw content: at every deletion line with the value "0" (after
// an "ID=" line) it calls onRecord(id, values) with the values of the keys asked for as last seen
// in that record, as raw stored bytes ("" where the record has no such line). A "{" line starts a
// record afresh, so a record cut short by a crash never lends its values to the next one.
// onRecord returns true to stop the reading. Nothing is copied or converted on the way.
using LiveRecordVisitor = std::function<bool(std::string_view id, std::span<const std::string_view> values)>;
void scanLiveRecords(std::string_view content, std::string_view deletionKey, std::span<const std::string_view> keys,
                     const LiveRecordVisitor& onRecord);

// The lines of the first record whose "ID=" is the identifier (as text or number), from its "ID="
// line up to its "}" (not included); a record cut short ends at the next "{" or at the end. Values
// as stored. Empty when there is no such record.
std::vector<KeyValue> recordFields(std::string_view content, std::string_view identifier);

// ---- Writing ----

// Field lines as stored: "KEY=value" CR LF each, in Windows-1250. Throws EncodingError, before
// anything is written, for text the code page cannot hold.
std::string encodedFieldLines(const Fields& fields);

// A complete record as it is appended: "{", "ID=" + id, the encoded field lines, the deletion key
// with "0", "}" and an empty line.
std::string recordText(std::string_view id, std::string_view encodedFields, std::string_view deletionKey);

} // namespace taviro
