// The text of the record files, in one place: the line splitter, the scanner that reads records
// off the raw Windows-1250 bytes, and the writer that builds the lines of a record. Record files,
// the import, the move and the account files all go through it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// The same reading, prepared once for one deletion key and one list of keys and then used on many
// contents in a row (the navigation tree reads hundreds of files of one kind): start() on a
// content, then next() once for every live record, which leaves its identifier and values (as
// scanLiveRecords hands them over) in id() and values(). The keys and the deletion key are kept as
// views, so they must outlive the scanner, and so must the content until the last next().
//
// Most lines of a record file matter to nobody, so the scanner does not go from line to line: it
// looks at a block of bytes at a time for the few places where something may happen, a "{" or a
// line whose "=" stands where one of the keys has it, and reads only those lines.
class LiveRecordScanner
{
public:
    LiveRecordScanner(std::string_view deletionKey, std::span<const std::string_view> keys);

    void start(std::string_view content);
    // Moves on to the next live record; false when the content has none left.
    bool next();
    std::string_view id() const { return m_id; }
    std::span<const std::string_view> values() const { return m_values; }

    // How wide the blocks are: the widest the processor has, unless a test asks for another to
    // check that all of them read the same (one it lacks becomes Bytes).
    enum class Blocks
    {
        Widest,
        Bytes,  // one byte at a time, as without vector instructions
        Sse2,   // 16 bytes
        Avx2,   // 32 bytes
        Avx512, // 64 bytes
    };
    void setBlocks(Blocks blocks);

private:
    static constexpr std::size_t kLengthSlots = 4; // key lengths looked for at once

    struct Key
    {
        std::string_view text;
        bool usable = false;         // a line's key (up to its first "=") can equal it
        std::uint64_t lastEight = 0; // the last eight bytes of a longer key, to tell it apart fast
    };
    using BlockFinder = std::size_t (*)(const char* data, std::size_t from, std::size_t last,
                                        const std::size_t* lengths, std::uint64_t& places);

    bool keyLine(std::size_t begin);
    void braceAt(std::size_t position);
    bool nextBlock();
    void clearRecord();

    std::vector<Key> m_keys; // [0] "ID=", [1] the deletion key, then the keys asked for
    // The distinct lengths of the usable keys; none (every line is read) when there are more of
    // them than slots.
    std::array<std::size_t, kLengthSlots> m_lengths{};
    int m_lengthCount = 0;
    std::size_t m_longest = 0;
    std::size_t m_width = 0; // of the blocks; none without a finder
    BlockFinder m_finder = nullptr;

    std::vector<std::string_view> m_values;
    std::string_view m_id;
    std::string_view m_content;
    bool m_firstLineDone = false;
    std::size_t m_next = 0;     // where the next block starts
    std::size_t m_block = 0;    // where the current one starts
    std::uint64_t m_places = 0; // the places in the current block not looked at yet, one bit each
};

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
