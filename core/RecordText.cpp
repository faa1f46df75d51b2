#include "RecordText.h"

#include "TextCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define TAVIRO_SSE2 1
#endif
// The wider blocks where the compiler can build functions for them on their own; whether the
// processor has them is asked at run time.
#if defined(TAVIRO_SSE2) && (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define TAVIRO_WIDER_BLOCKS 1
#endif

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

namespace {

// A line's key is its text up to the first "=", "=" included. A key that ends in its only "=" (and
// holds no LF) equals it exactly when the line starts with it; any other key never does.
bool canMatchALine(std::string_view key)
{
    return !key.empty() && key.find('=') == key.size() - 1 && key.find('\n') == std::string_view::npos;
}

// The places of a block where something may happen, one bit per byte: a "{" (the record starts
// are among them) and an LF followed by a line with "=" at one of the key lengths (the lines that
// start with a key are among them). Every block is looked at whole: a block may start as late as
// size - width - longest key. The return value is the first block with such a place, or the
// first block that was not looked at when none had one. Lengths is the number of distinct key
// lengths (1 to 4); 0 marks every line.
#ifdef TAVIRO_SSE2
template <int Lengths>
std::size_t findBlockSse2(const char* data, std::size_t from, std::size_t last, const std::size_t* lengths,
                          std::uint64_t& places)
{
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i brace = _mm_set1_epi8('{');
    const __m128i equals = _mm_set1_epi8('=');
    const auto equalsAt = [&](const char* p, std::size_t length) {
        return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + length)), equals);
    };
    std::size_t at = from;
    for (; at <= last; at += 16) {
        const char* p = data + at;
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i lineStarts = _mm_cmpeq_epi8(bytes, lineFeed);
        if constexpr (Lengths > 0) {
            __m128i keyEnds = equalsAt(p, lengths[0]);
            if constexpr (Lengths > 1)
                keyEnds = _mm_or_si128(keyEnds, equalsAt(p, lengths[1]));
            if constexpr (Lengths > 2)
                keyEnds = _mm_or_si128(keyEnds, equalsAt(p, lengths[2]));
            if constexpr (Lengths > 3)
                keyEnds = _mm_or_si128(keyEnds, equalsAt(p, lengths[3]));
            lineStarts = _mm_and_si128(lineStarts, keyEnds);
        }
        if (const int bits = _mm_movemask_epi8(_mm_or_si128(lineStarts, _mm_cmpeq_epi8(bytes, brace)))) {
            places = static_cast<unsigned>(bits);
            return at;
        }
    }
    places = 0;
    return at;
}
#endif

#ifdef TAVIRO_WIDER_BLOCKS
template <int Lengths>
__attribute__((target("avx2"))) std::size_t findBlockAvx2(const char* data, std::size_t from, std::size_t last,
                                                          const std::size_t* lengths, std::uint64_t& places)
{
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    const __m256i brace = _mm256_set1_epi8('{');
    const __m256i equals = _mm256_set1_epi8('=');
    const auto equalsAt = [&](const char* p, std::size_t length) __attribute__((target("avx2")))
    {
        return _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + length)), equals);
    };
    std::size_t at = from;
    for (; at <= last; at += 32) {
        const char* p = data + at;
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        __m256i lineStarts = _mm256_cmpeq_epi8(bytes, lineFeed);
        if constexpr (Lengths > 0) {
            __m256i keyEnds = equalsAt(p, lengths[0]);
            if constexpr (Lengths > 1)
                keyEnds = _mm256_or_si256(keyEnds, equalsAt(p, lengths[1]));
            if constexpr (Lengths > 2)
                keyEnds = _mm256_or_si256(keyEnds, equalsAt(p, lengths[2]));
            if constexpr (Lengths > 3)
                keyEnds = _mm256_or_si256(keyEnds, equalsAt(p, lengths[3]));
            lineStarts = _mm256_and_si256(lineStarts, keyEnds);
        }
        const __m256i found = _mm256_or_si256(lineStarts, _mm256_cmpeq_epi8(bytes, brace));
        if (const auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(found))) {
            places = bits;
            return at;
        }
    }
    places = 0;
    return at;
}

template <int Lengths>
__attribute__((target("avx512bw"))) std::size_t findBlockAvx512(const char* data, std::size_t from, std::size_t last,
                                                                const std::size_t* lengths, std::uint64_t& places)
{
    const __m512i lineFeed = _mm512_set1_epi8('\n');
    const __m512i brace = _mm512_set1_epi8('{');
    const __m512i equals = _mm512_set1_epi8('=');
    const auto equalsAt = [&](const char* p, std::size_t length) __attribute__((target("avx512bw")))
    {
        return _mm512_cmpeq_epi8_mask(_mm512_loadu_si512(p + length), equals);
    };
    std::size_t at = from;
    for (; at <= last; at += 64) {
        const char* p = data + at;
        const __m512i bytes = _mm512_loadu_si512(p);
        __mmask64 lineStarts = _mm512_cmpeq_epi8_mask(bytes, lineFeed);
        if constexpr (Lengths > 0) {
            __mmask64 keyEnds = equalsAt(p, lengths[0]);
            if constexpr (Lengths > 1)
                keyEnds |= equalsAt(p, lengths[1]);
            if constexpr (Lengths > 2)
                keyEnds |= equalsAt(p, lengths[2]);
            if constexpr (Lengths > 3)
                keyEnds |= equalsAt(p, lengths[3]);
            lineStarts &= keyEnds;
        }
        if (const std::uint64_t bits = lineStarts | _mm512_cmpeq_epi8_mask(bytes, brace)) {
            places = bits;
            return at;
        }
    }
    places = 0;
    return at;
}
#endif

// One finder per block width and number of key lengths (the scanner's BlockFinder).
using BlockFinder = std::size_t (*)(const char*, std::size_t, std::size_t, const std::size_t*, std::uint64_t&);

#ifdef TAVIRO_SSE2
BlockFinder sse2Finder(int lengths)
{
    constexpr BlockFinder finders[] = {findBlockSse2<0>, findBlockSse2<1>, findBlockSse2<2>, findBlockSse2<3>,
                                       findBlockSse2<4>};
    return finders[lengths];
}
#endif
#ifdef TAVIRO_WIDER_BLOCKS
BlockFinder avx2Finder(int lengths)
{
    constexpr BlockFinder finders[] = {findBlockAvx2<0>, findBlockAvx2<1>, findBlockAvx2<2>, findBlockAvx2<3>,
                                       findBlockAvx2<4>};
    return finders[lengths];
}
BlockFinder avx512Finder(int lengths)
{
    constexpr BlockFinder finders[] = {findBlockAvx512<0>, findBlockAvx512<1>, findBlockAvx512<2>, findBlockAvx512<3>,
                                       findBlockAvx512<4>};
    return finders[lengths];
}
#endif

bool processorHas(LiveRecordScanner::Blocks blocks)
{
    switch (blocks) {
    case LiveRecordScanner::Blocks::Bytes:
        return true;
    case LiveRecordScanner::Blocks::Sse2:
#ifdef TAVIRO_SSE2
        return true;
#else
        return false;
#endif
    case LiveRecordScanner::Blocks::Avx2:
#ifdef TAVIRO_WIDER_BLOCKS
        return __builtin_cpu_supports("avx2");
#else
        return false;
#endif
    case LiveRecordScanner::Blocks::Avx512:
#ifdef TAVIRO_WIDER_BLOCKS
        return __builtin_cpu_supports("avx512bw");
#else
        return false;
#endif
    case LiveRecordScanner::Blocks::Widest:
        break;
    }
    return false;
}

std::uint64_t loadEight(const char* bytes)
{
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

LiveRecordScanner::LiveRecordScanner(std::string_view deletionKey, std::span<const std::string_view> keys)
    : m_values(keys.size())
{
    m_keys.reserve(keys.size() + 2);
    m_keys.push_back({"ID="});
    m_keys.push_back({deletionKey});
    for (const std::string_view key : keys)
        m_keys.push_back({key});
    std::vector<std::size_t> lengths;
    for (Key& key : m_keys) {
        key.usable = canMatchALine(key.text);
        if (!key.usable)
            continue;
        const std::size_t length = key.text.size();
        if (length > 8)
            key.lastEight = loadEight(key.text.data() + length - 8);
        m_longest = std::max(m_longest, length);
        if (std::find(lengths.begin(), lengths.end(), length) == lengths.end())
            lengths.push_back(length);
    }
    // With more distinct lengths than the blocks look for at once, every line is read.
    m_lengthCount = lengths.size() <= kLengthSlots ? static_cast<int>(lengths.size()) : 0;
    std::copy_n(lengths.begin(), std::min(lengths.size(), kLengthSlots), m_lengths.begin());
    setBlocks(Blocks::Widest);
}

void LiveRecordScanner::setBlocks(Blocks blocks)
{
    if (blocks == Blocks::Widest) {
        for (const Blocks widest : {Blocks::Avx512, Blocks::Avx2, Blocks::Sse2, Blocks::Bytes}) {
            if (processorHas(widest)) {
                blocks = widest;
                break;
            }
        }
    }
    if (!processorHas(blocks))
        blocks = Blocks::Bytes;
    m_width = 0;
    m_finder = nullptr;
#ifdef TAVIRO_SSE2
    if (blocks == Blocks::Sse2) {
        m_width = 16;
        m_finder = sse2Finder(m_lengthCount);
    }
#endif
#ifdef TAVIRO_WIDER_BLOCKS
    if (blocks == Blocks::Avx2) {
        m_width = 32;
        m_finder = avx2Finder(m_lengthCount);
    } else if (blocks == Blocks::Avx512) {
        m_width = 64;
        m_finder = avx512Finder(m_lengthCount);
    }
#endif
}

void LiveRecordScanner::start(std::string_view content)
{
    m_content = content;
    m_firstLineDone = false;
    m_next = 0;
    m_block = 0;
    m_places = 0;
    clearRecord();
}

void LiveRecordScanner::clearRecord()
{
    m_id = {};
    std::fill(m_values.begin(), m_values.end(), std::string_view());
}

// The line that begins there, if it starts with a usable key: the identifier, the deletion key or
// a key asked for, in that order of precedence. True at a live record's deletion line.
bool LiveRecordScanner::keyLine(std::size_t begin)
{
    const char* const data = m_content.data();
    const std::size_t size = m_content.size();
    const char* const line = data + begin;
    std::size_t matched = 0;
    for (; matched < m_keys.size(); ++matched) {
        const Key& key = m_keys[matched];
        const std::size_t length = key.text.size();
        if (!key.usable || length > size - begin || line[0] != key.text[0] || line[length - 1] != '=')
            continue;
        // Most lines that get this far have another key of the same length; its last eight bytes
        // tell it apart.
        if (length > 8 ? loadEight(line + length - 8) == key.lastEight &&
                             std::memcmp(line + 1, key.text.data() + 1, length - 9) == 0
                       : std::memcmp(line + 1, key.text.data() + 1, length - 1) == 0)
            break;
    }
    if (matched == m_keys.size())
        return false;
    // The value runs to the line end; a CR before the LF is not part of it.
    const std::size_t valueBegin = begin + m_keys[matched].text.size();
    const void* lineFeed = std::memchr(data + valueBegin, '\n', size - valueBegin);
    std::size_t valueEnd = lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - data) : size;
    if (lineFeed && valueEnd > valueBegin && data[valueEnd - 1] == '\r')
        --valueEnd;
    const std::string_view value(data + valueBegin, valueEnd - valueBegin);
    if (matched == 0)
        m_id = value;
    else if (matched == 1)
        return value == "0" && !m_id.empty();
    else
        m_values[matched - 2] = value;
    return false;
}

// A "{" there starts a record when it is all its line holds, blanks and control characters aside.
void LiveRecordScanner::braceAt(std::size_t position)
{
    const char* const data = m_content.data();
    const std::size_t size = m_content.size();
    std::size_t before = position;
    while (before > 0 && data[before - 1] != '\n' && isBlankOrControl(data[before - 1]))
        --before;
    if (before > 0 && data[before - 1] != '\n')
        return;
    std::size_t after = position + 1;
    while (after < size && data[after] != '\n' && isBlankOrControl(data[after]))
        ++after;
    if (after < size && data[after] != '\n')
        return;
    clearRecord();
}

// Finds the next block with places to look at; false when the rest is too short for a block.
bool LiveRecordScanner::nextBlock()
{
    const std::size_t size = m_content.size();
    if (!m_finder || size < m_width + m_longest || m_next > size - m_width - m_longest)
        return false;
    std::uint64_t places = 0;
    const std::size_t at = m_finder(m_content.data(), m_next, size - m_width - m_longest, m_lengths.data(), places);
    m_block = at;
    m_places = places;
    m_next = places != 0 ? at + m_width : at;
    return places != 0;
}

bool LiveRecordScanner::next()
{
    const char* const data = m_content.data();
    const std::size_t size = m_content.size();
    if (!m_firstLineDone) {
        m_firstLineDone = true;
        if (keyLine(0))
            return true;
    }
    for (;;) {
        while (m_places != 0) {
            const std::size_t position = m_block + static_cast<std::size_t>(std::countr_zero(m_places));
            m_places &= m_places - 1;
            if (data[position] == '{')
                braceAt(position);
            else if (keyLine(position + 1))
                return true;
        }
        if (nextBlock())
            continue;
        // What is left is shorter than a block (or there are no blocks): every line and every "{".
        while (m_next < size) {
            const std::size_t position = m_next++;
            if (data[position] == '{')
                braceAt(position);
            else if (data[position] == '\n' && keyLine(position + 1))
                return true;
        }
        return false;
    }
}

void scanLiveRecords(std::string_view content, std::string_view deletionKey, std::span<const std::string_view> keys,
                     const LiveRecordVisitor& onRecord)
{
    LiveRecordScanner scanner(deletionKey, keys);
    scanner.start(content);
    while (scanner.next()) {
        if (onRecord(scanner.id(), scanner.values()))
            return;
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
