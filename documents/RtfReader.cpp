// The RTF reader: one pass over the bytes with a stack of group states, text collected into runs
// of one character format and written through a QTextCursor.
#include "RtfReader.h"

#include "RtfLexicon.h"
#include "RtfParser.h"

#include "TextCodec.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace taviro::rtf {
namespace {

// RTF words are at most 32 letters and their numbers fit 16 or 32 bits; anything longer is
// malformed and only consumed.
constexpr int kMaximumWordLength = 32;
constexpr int kMaximumDigits = 10;
// Font sizes are given in half points; larger values are taken as this (1638 points).
constexpr int kMaximumHalfPoints = 3276;
constexpr int kMaximumUnicodeSkip = 64;
constexpr qsizetype kMaximumFontNameLength = 256;

} // namespace

void Parser::run()
{
    m_cursor.beginEditBlock();
    while (m_position < m_input.size()) {
        const unsigned char c = byteAt(m_position++);
        if (c == '\r' || c == '\n')
            continue; // line ends of the file itself are not text and separate nothing
        m_firstInGroup = std::exchange(m_groupJustOpened, false);
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            if (!closeGroup())
                break;
        } else if (c == '\\') {
            controlSequence();
        } else {
            plainByte(c);
        }
    }
    flush();
    applyParagraphFormat();
    m_cursor.endEditBlock();
}

void Parser::openGroup()
{
    flush();
    m_skipCount = 0;
    if (m_overflowDepth > 0 || static_cast<int>(m_stack.size()) >= RtfReader::kMaximumGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_state);
    m_groupJustOpened = true;
}

bool Parser::closeGroup()
{
    flush();
    m_skipCount = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.empty())
        return true; // a stray brace before any group: nothing to close
    if (m_state.destination == Destination::FontTable)
        commitFontName();
    if (m_state.destination == Destination::ColourTable && (m_red >= 0 || m_green >= 0 || m_blue >= 0))
        commitColour();
    m_state = m_stack.back();
    m_stack.pop_back();
    return !m_stack.empty();
}

void Parser::controlSequence()
{
    if (m_position >= m_input.size())
        return; // a lone backslash at the very end
    const unsigned char first = byteAt(m_position);
    if (!isLetter(first)) {
        ++m_position;
        controlSymbol(first);
        return;
    }

    char wordBuffer[kMaximumWordLength];
    int length = 0;
    while (m_position < m_input.size() && isLetter(byteAt(m_position))) {
        if (length < kMaximumWordLength)
            wordBuffer[length++] = static_cast<char>(byteAt(m_position));
        ++m_position;
    }
    bool hasParameter = false;
    bool negative = false;
    long long value = 0;
    if (m_position + 1 < m_input.size() && byteAt(m_position) == '-' && isDigit(byteAt(m_position + 1))) {
        negative = true;
        ++m_position;
    }
    int digits = 0;
    while (m_position < m_input.size() && isDigit(byteAt(m_position))) {
        if (digits < kMaximumDigits)
            value = value * 10 + (byteAt(m_position) - '0');
        ++digits;
        ++m_position;
        hasParameter = true;
    }
    if (m_position < m_input.size() && byteAt(m_position) == ' ')
        ++m_position; // the delimiting space belongs to the word
    value = std::clamp(negative ? -value : value, -2147483647LL, 2147483647LL);
    controlWord(std::string_view(wordBuffer, static_cast<std::size_t>(length)), hasParameter, static_cast<int>(value));
}

void Parser::controlSymbol(unsigned char symbol)
{
    switch (symbol) {
    case '\'':
        hexEscape();
        return;
    case '*':
        // Only a reader that knows the destination may show it; this one shows none of them. The
        // mark means something only as the first thing in a group.
        if (m_firstInGroup) {
            flush();
            m_state.destination = Destination::Skip;
        }
        return;
    case '\r':
    case '\n':
        if (m_skipCount > 0) {
            --m_skipCount;
            return;
        }
        if (m_state.destination == Destination::Text)
            endParagraph();
        return;
    case '~':
        character(u'\u00A0');
        return;
    case '-':
        character(u'\u00AD');
        return;
    case '_':
        character(u'\u2011');
        return;
    case '{':
    case '}':
    case '\\':
        character(static_cast<char16_t>(symbol));
        return;
    default:
        // \: \| and unknown symbols show nothing but still stand in for a \u fallback.
        if (m_skipCount > 0)
            --m_skipCount;
        return;
    }
}

void Parser::hexEscape()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_position < m_input.size()) {
        const int digit = hexValue(byteAt(m_position));
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++digits;
        ++m_position;
    }
    if (digits < 2) {
        if (m_skipCount > 0)
            --m_skipCount;
        return; // truncated: no character
    }
    character(cp1250Table()[static_cast<std::size_t>(value)]);
}

void Parser::controlWord(std::string_view word, bool hasParameter, int parameter)
{
    if (word == "bin") {
        // Raw binary data follow the word; they are never text, in any destination.
        const qsizetype count = hasParameter && parameter > 0 ? parameter : 0;
        m_position += std::min(count, m_input.size() - m_position);
        if (m_skipCount > 0)
            --m_skipCount;
        return;
    }
    if (m_skipCount > 0) {
        --m_skipCount; // a control word counts as one fallback character
        return;
    }
    if (word == "deff") {
        m_defaultFont = parameter;
        return;
    }
    if (word == "u") {
        int unit = parameter < 0 ? parameter + 65536 : parameter;
        if (hasParameter && unit >= 0 && unit <= 0xFFFF)
            character(static_cast<char16_t>(unit));
        m_skipCount = m_state.unicodeSkip;
        return;
    }
    if (word == "uc") {
        m_state.unicodeSkip = hasParameter ? std::clamp(parameter, 0, kMaximumUnicodeSkip) : 1;
        return;
    }

    switch (m_state.destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (word == "f") {
            commitFontName();
            m_fontNumber = parameter;
        } else if (isSkippedDestination(word)) {
            m_state.destination = Destination::Skip;
        }
        return;
    case Destination::ColourTable: {
        const int component = std::clamp(parameter, 0, 255);
        if (word == "red")
            m_red = component;
        else if (word == "green")
            m_green = component;
        else if (word == "blue")
            m_blue = component;
        return;
    }
    case Destination::Text:
        textControlWord(word, hasParameter, parameter);
        return;
    }
}

void Parser::textControlWord(std::string_view word, bool hasParameter, int parameter)
{
    const bool on = !hasParameter || parameter != 0;

    // Words that only add characters to the current run.
    if (word == "tab" || word == "cell" || word == "nestcell") {
        character(u'\t');
        return;
    }
    if (word == "line") {
        character(u'\u2028');
        return;
    }
    static constexpr std::pair<std::string_view, char16_t> symbols[] = {
        {"emdash", u'\u2014'}, {"endash", u'\u2013'},    {"bullet", u'\u2022'},    {"lquote", u'\u2018'},
        {"rquote", u'\u2019'}, {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
    };
    for (const auto& [name, unit] : symbols) {
        if (word == name) {
            character(unit);
            return;
        }
    }

    flush();
    if (word == "par" || word == "page" || word == "row" || word == "nestrow") {
        endParagraph();
    } else if (word == "fonttbl") {
        m_state.destination = Destination::FontTable;
        m_fontName.clear();
    } else if (word == "colortbl") {
        m_state.destination = Destination::ColourTable;
        m_colours.clear();
        m_red = m_green = m_blue = -1;
    } else if (isSkippedDestination(word)) {
        m_state.destination = Destination::Skip;
    } else if (word == "b") {
        m_state.bold = on;
    } else if (word == "i") {
        m_state.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
               word == "uldashd" || word == "uldashdd" || word == "ulth" || word == "ulwave") {
        m_state.underline = on;
    } else if (word == "ulnone") {
        m_state.underline = false;
    } else if (word == "plain") {
        m_state.bold = m_state.italic = m_state.underline = false;
        m_state.halfPoints = 0;
        m_state.font = -1;
        m_state.colour = 0;
    } else if (word == "pard") {
        m_state.alignment = Qt::AlignLeft;
    } else if (word == "ql") {
        m_state.alignment = Qt::AlignLeft;
    } else if (word == "qc") {
        m_state.alignment = Qt::AlignHCenter;
    } else if (word == "qr") {
        m_state.alignment = Qt::AlignRight;
    } else if (word == "qj") {
        m_state.alignment = Qt::AlignJustify;
    } else if (word == "fs") {
        m_state.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, kMaximumHalfPoints) : 0;
    } else if (word == "f") {
        m_state.font = hasParameter && parameter >= 0 ? parameter : -1;
    } else if (word == "cf") {
        m_state.colour = hasParameter && parameter > 0 ? parameter : 0;
    }
    // Any other word is formatting this reader does not carry over; it shows nothing.
}

void Parser::plainByte(unsigned char byte)
{
    if (byte == '\0')
        return;
    if (byte == '\t') {
        character(u'\t');
        return;
    }
    if (byte < 0x20)
        return;
    character(cp1250Table()[byte]);
}

void Parser::character(char16_t unit)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    switch (m_state.destination) {
    case Destination::Text:
        if (unit >= 0x20 || unit == u'\t')
            m_text += QChar(unit);
        return;
    case Destination::FontTable:
        if (unit == u';')
            commitFontName();
        else if (unit >= 0x20 && m_fontName.size() < kMaximumFontNameLength)
            m_fontName += QChar(unit);
        return;
    case Destination::ColourTable:
        if (unit == u';')
            commitColour();
        return;
    case Destination::Skip:
        return;
    }
}

void Parser::flush()
{
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(m_text, charFormat());
    m_text.clear();
}

void Parser::endParagraph()
{
    flush();
    applyParagraphFormat();
    m_cursor.insertBlock(QTextBlockFormat(), charFormat());
}

// Paragraph properties in force when a paragraph ends apply to the whole paragraph.
void Parser::applyParagraphFormat()
{
    QTextBlockFormat format;
    format.setAlignment(m_state.alignment);
    m_cursor.mergeBlockFormat(format);
}

QTextCharFormat Parser::charFormat() const
{
    QTextCharFormat format;
    format.setFontWeight(m_state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(m_state.italic);
    format.setFontUnderline(m_state.underline);
    if (m_state.halfPoints > 0)
        format.setFontPointSize(m_state.halfPoints / 2.0);
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    if (const auto found = m_fonts.find(font); found != m_fonts.end() && !found->second.isEmpty())
        format.setFontFamilies(QStringList{found->second});
    if (m_state.colour > 0 && static_cast<std::size_t>(m_state.colour) < m_colours.size() &&
        m_colours[static_cast<std::size_t>(m_state.colour)])
        format.setForeground(*m_colours[static_cast<std::size_t>(m_state.colour)]);
    return format;
}

void Parser::commitFontName()
{
    const QString name = m_fontName.trimmed();
    if (!name.isEmpty())
        m_fonts[m_fontNumber] = name;
    m_fontName.clear();
}

void Parser::commitColour()
{
    // An entry without any component is the automatic colour (normally the first one).
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colours.emplace_back();
    else
        m_colours.emplace_back(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
    m_red = m_green = m_blue = -1;
}

} // namespace taviro::rtf

namespace taviro {

void RtfReader::read(QByteArrayView rtf, QTextDocument& document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    rtf::Parser(rtf, document).run();
    document.setUndoRedoEnabled(undo);
}

bool RtfReader::looksLikeRtf(QByteArrayView bytes)
{
    return bytes.startsWith(QByteArrayView("{\\rtf"));
}

} // namespace taviro
