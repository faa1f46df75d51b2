// Reading an import file: its encoding, its lines in Windows-1250, and the check that every line
// can be stored before anything is written.
#include "Import.h"

#include "TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace taviro {
namespace {

constexpr std::size_t kBlock = 1024 * 1024; // even, so that a UTF-16 unit never straddles two reads

using ReadAt = std::function<std::size_t(std::uint64_t offset, char* buffer, std::size_t count)>;

// The lines of the raw bytes, a block at a time: a line ends at CR LF, LF or a lone CR (in units of
// two bytes for UTF-16); a last line without its end is a line too, the empty text after a final
// line end is not. Only the current block and the current line are held.
class RawLines
{
public:
    RawLines(ReadAt read, std::uint64_t start, std::size_t unit, bool bigEndian)
        : m_read(std::move(read)), m_unit(unit), m_bigEndian(bigEndian), m_base(start)
    {}

    // The next line without its line end; false when the input has no more.
    bool next(std::string& line)
    {
        line.clear();
        bool any = false;
        for (;;) {
            if (m_block.size() - m_pos < m_unit) {
                if (fill())
                    continue;
                // Less than a unit is left (an odd byte at the end of UTF-16): it belongs to the line.
                if (m_pos < m_block.size()) {
                    line.append(m_block, m_pos, std::string::npos);
                    m_pos = m_block.size();
                    any = true;
                }
                return any;
            }
            const std::size_t end = lineEnd();
            if (end > m_pos) {
                line.append(m_block, m_pos, end - m_pos);
                m_pos = end;
                any = true;
            }
            if (m_block.size() - m_pos < m_unit)
                continue; // no line end in this block
            const bool carriageReturn = unitAt(m_pos) == '\r';
            m_pos += m_unit;
            if (carriageReturn && (m_block.size() - m_pos >= m_unit || fill()) && m_block.size() - m_pos >= m_unit &&
                unitAt(m_pos) == '\n')
                m_pos += m_unit;
            return true;
        }
    }

    // Bytes of the input before the next line.
    std::uint64_t offset() const { return m_base + m_pos; }

private:
    std::uint32_t unitAt(std::size_t position) const
    {
        const auto first = static_cast<unsigned char>(m_block[position]);
        if (m_unit == 1)
            return first;
        const auto second = static_cast<unsigned char>(m_block[position + 1]);
        return m_bigEndian ? (first << 8) | second : (second << 8) | first;
    }

    // Where the next CR or LF unit of the block is, or where the whole units of the block end.
    std::size_t lineEnd() const
    {
        if (m_unit == 1) {
            const std::size_t found = m_block.find_first_of("\r\n", m_pos);
            return found == std::string::npos ? m_block.size() : found;
        }
        std::size_t position = m_pos;
        while (position + m_unit <= m_block.size() && unitAt(position) != '\r' && unitAt(position) != '\n')
            position += m_unit;
        return position;
    }

    // Keeps what is not read yet and reads the next block after it; false when nothing more came.
    bool fill()
    {
        if (m_atEnd)
            return false;
        m_block.erase(0, m_pos);
        m_base += m_pos;
        m_pos = 0;
        const std::size_t kept = m_block.size();
        m_block.resize(kept + kBlock);
        const std::size_t got = m_read(m_base + kept, m_block.data() + kept, kBlock);
        m_block.resize(kept + got);
        m_atEnd = got < kBlock;
        return got > 0;
    }

    ReadAt m_read;
    std::size_t m_unit;
    bool m_bigEndian;
    std::string m_block;
    std::size_t m_pos = 0;
    std::uint64_t m_base; // where the block starts in the input
    bool m_atEnd = false;
};

enum class LineFault
{
    None,
    Nul,
    Unstorable,
    Malformed,
};

struct DecodedLine
{
    std::string text; // Windows-1250
    LineFault fault = LineFault::None;
    std::string character; // the one that cannot be stored, in UTF-8
};

void decodeUtf8(std::string_view utf8, DecodedLine& out)
{
    if (utf8.find('\0') != std::string_view::npos) {
        out.fault = LineFault::Nul;
        return;
    }
    if (const auto bad = firstUnstorable(utf8)) {
        out.fault = bad->malformed ? LineFault::Malformed : LineFault::Unstorable;
        out.character = std::string(utf8.substr(bad->offset, bad->length));
        return;
    }
    out.text = utf8ToCp1250(utf8);
}

DecodedLine decode(const std::string& raw, ImportEncoding encoding)
{
    DecodedLine out;
    switch (encoding) {
    case ImportEncoding::Windows1250:
        // Every byte is a character of the code page, but a NUL is no text.
        if (raw.find('\0') != std::string::npos)
            out.fault = LineFault::Nul;
        else
            out.text = raw;
        break;
    case ImportEncoding::Utf8:
    case ImportEncoding::Utf8WithBom:
        decodeUtf8(raw, out);
        break;
    case ImportEncoding::Utf16LittleEndian:
    case ImportEncoding::Utf16BigEndian:
        if (const auto utf8 = utf16ToUtf8(raw, encoding == ImportEncoding::Utf16BigEndian))
            decodeUtf8(*utf8, out);
        else
            out.fault = LineFault::Malformed;
        break;
    }
    return out;
}

std::size_t unitOf(ImportEncoding encoding)
{
    return encoding == ImportEncoding::Utf16LittleEndian || encoding == ImportEncoding::Utf16BigEndian ? 2 : 1;
}

// "U+2665" for the first character of the UTF-8 text.
std::string codePointName(std::string_view character)
{
    char32_t cp = 0;
    const auto lead = static_cast<unsigned char>(character.empty() ? 0 : character[0]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (int i = 1; i < length && i < static_cast<int>(character.size()); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
    return text;
}

std::string refusalText(int line, const DecodedLine& decoded, ImportEncoding encoding)
{
    const std::string where = "Wiersz " + std::to_string(line) + " pliku importu ";
    const std::string nothing = " Nic nie zostało zaimportowane.";
    switch (decoded.fault) {
    case LineFault::Nul:
        return where +
               "zawiera znak NUL (bajt zerowy), którego nie ma w żadnym tekście; plik zapisany w UTF-16 musi się "
               "zaczynać znacznikiem BOM." +
               nothing;
    case LineFault::Unstorable:
        return where + "zawiera znak „" + decoded.character + "” (" + codePointName(decoded.character) +
               "), którego nie można zapisać w plikach danych (Windows-1250)." + nothing;
    case LineFault::Malformed:
        return where + "zawiera bajty, które nie są poprawnym tekstem w kodowaniu " + importEncodingName(encoding) +
               "." + nothing;
    case LineFault::None:
        break;
    }
    return {};
}

} // namespace

std::string importEncodingName(ImportEncoding encoding)
{
    switch (encoding) {
    case ImportEncoding::Windows1250:
        return "Windows-1250";
    case ImportEncoding::Utf8:
        return "UTF-8";
    case ImportEncoding::Utf8WithBom:
        return "UTF-8 ze znacznikiem BOM";
    case ImportEncoding::Utf16LittleEndian:
        return "UTF-16 LE";
    case ImportEncoding::Utf16BigEndian:
        return "UTF-16 BE";
    }
    return {};
}

ImportSource::ImportSource(std::string path) : m_path(std::move(path))
{
    platform::ErrorCode error = 0;
    m_file = platform::File::open(m_path, platform::Access::Read, platform::Creation::OpenExisting,
                                  platform::Sharing::Readers, error);
    if (!m_file.isOpen())
        throw IoError(m_path, platform::errorText(error));
    if (m_file.isSeekable()) {
        if ((error = m_file.size(m_size)) != 0)
            throw IoError(m_path, platform::errorText(error));
        return;
    }
    // A pipe has no size and gives its bytes once: they are kept as they come.
    std::string memory;
    for (;;) {
        const std::size_t kept = memory.size();
        memory.resize(kept + kBlock);
        std::size_t got = 0;
        if ((error = m_file.readNext(memory.data() + kept, kBlock, got)) != 0)
            throw IoError(m_path, platform::errorText(error));
        memory.resize(kept + got);
        if (got == 0)
            break;
    }
    m_file.close();
    m_size = memory.size();
    m_memory = std::move(memory);
}

std::size_t ImportSource::readAt(std::uint64_t offset, char* buffer, std::size_t count)
{
    if (m_memory) {
        if (offset >= m_memory->size())
            return 0;
        const std::size_t got = std::min<std::uint64_t>(count, m_memory->size() - offset);
        std::copy_n(m_memory->data() + offset, got, buffer);
        return got;
    }
    std::size_t got = 0;
    if (const platform::ErrorCode error = m_file.readAt(offset, buffer, count, got))
        throw IoError(m_path, platform::errorText(error));
    return got;
}

const std::string& ImportSource::check()
{
    if (m_checked)
        return m_refusal;
    m_checked = true;
    char mark[3] = {};
    const std::size_t got = readAt(0, mark, sizeof mark);
    const auto startsWith = [&](std::string_view bom) {
        return got >= bom.size() && std::string_view(mark, bom.size()) == bom;
    };
    const auto read = [this](std::uint64_t offset, char* buffer, std::size_t count) {
        return readAt(offset, buffer, count);
    };
    std::string raw;
    int line = 0;
    if (startsWith("\xEF\xBB\xBF") || startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
        m_encoding = startsWith("\xEF\xBB\xBF") ? ImportEncoding::Utf8WithBom
                     : startsWith("\xFF\xFE")   ? ImportEncoding::Utf16LittleEndian
                                                : ImportEncoding::Utf16BigEndian;
        m_textStart = m_encoding == ImportEncoding::Utf8WithBom ? 3 : 2;
        RawLines lines(read, m_textStart, unitOf(m_encoding), m_encoding == ImportEncoding::Utf16BigEndian);
        while (lines.next(raw)) {
            const DecodedLine decoded = decode(raw, m_encoding);
            ++line;
            if (decoded.fault != LineFault::None) {
                m_refusal = refusalText(line, decoded, m_encoding);
                break;
            }
        }
        return m_refusal;
    }
    // Without a mark: UTF-8 when all of it is UTF-8 and some of it more than ASCII (Windows-1250
    // text with Polish letters is practically never well-formed UTF-8), else Windows-1250. The
    // whole file is read to tell, and the first line that would be refused either way is kept.
    bool wellFormed = true;
    bool beyondAscii = false;
    int nulLine = 0;
    int faultLine = 0;
    DecodedLine fault;
    RawLines lines(read, 0, 1, false);
    while (lines.next(raw)) {
        ++line;
        beyondAscii = beyondAscii || std::any_of(raw.begin(), raw.end(), [](char c) { return c & 0x80; });
        if (const auto bad = firstUnstorable(raw); bad && bad->malformed)
            wellFormed = false;
        if (nulLine == 0 && raw.find('\0') != std::string::npos)
            nulLine = line;
        if (faultLine == 0 && wellFormed) {
            DecodedLine decoded = decode(raw, ImportEncoding::Utf8);
            if (decoded.fault != LineFault::None) {
                faultLine = line;
                fault = std::move(decoded);
            }
        }
    }
    m_encoding = wellFormed && beyondAscii ? ImportEncoding::Utf8 : ImportEncoding::Windows1250;
    if (m_encoding == ImportEncoding::Utf8 && faultLine != 0) {
        m_refusal = refusalText(faultLine, fault, m_encoding);
    } else if (m_encoding == ImportEncoding::Windows1250 && nulLine != 0) {
        DecodedLine nul;
        nul.fault = LineFault::Nul;
        m_refusal = refusalText(nulLine, nul, m_encoding);
    }
    return m_refusal;
}

void ImportSource::forEachLine(const LineVisitor& onLine)
{
    if (!m_checked || !m_refusal.empty())
        throw std::logic_error("ImportSource::forEachLine: the file must have been checked and not refused");
    RawLines lines(
        [this](std::uint64_t offset, char* buffer, std::size_t count) { return readAt(offset, buffer, count); },
        m_textStart, unitOf(m_encoding), m_encoding == ImportEncoding::Utf16BigEndian);
    std::string raw;
    while (lines.next(raw)) {
        const DecodedLine decoded = decode(raw, m_encoding);
        // The check read every line; a line that fails now was changed since.
        if (decoded.fault != LineFault::None)
            throw IoError(m_path, "plik importu zmienił się w trakcie importu");
        onLine(decoded.text, lines.offset());
    }
}

} // namespace taviro
