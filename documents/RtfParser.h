// The parser behind RtfReader: one pass over the bytes with a stack of group states.
#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <map>
#include <optional>
#include <string_view>
#include <vector>

class QTextDocument;

namespace taviro::rtf {

enum class Destination
{
    Text,
    Skip,
    FontTable,
    ColourTable,
};

// Everything that a closing brace restores.
struct GroupState
{
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0; // 0: not given, the document's default size
    int font = -1;      // -1: the default font (\deff)
    int colour = 0;     // 0: automatic
    Qt::Alignment alignment = Qt::AlignLeft;
    int unicodeSkip = 1;
};

class Parser
{
public:
    Parser(QByteArrayView input, QTextDocument& document) : m_input(input), m_cursor(&document) {}

    void run();

private:
    unsigned char byteAt(qsizetype position) const { return static_cast<unsigned char>(m_input[position]); }

    void openGroup();
    bool closeGroup(); // false once the outermost group has closed
    void controlSequence();
    void controlSymbol(unsigned char symbol);
    void controlWord(std::string_view word, bool hasParameter, int parameter);
    void textControlWord(std::string_view word, bool hasParameter, int parameter);
    void hexEscape();
    void plainByte(unsigned char byte);
    void character(char16_t unit);

    void flush();
    void endParagraph();
    void applyParagraphFormat();
    QTextCharFormat charFormat() const;
    void commitFontName();
    void commitColour();

    QByteArrayView m_input;
    qsizetype m_position = 0;
    QTextCursor m_cursor;

    GroupState m_state;
    std::vector<GroupState> m_stack;
    qsizetype m_overflowDepth = 0; // groups opened beyond the maximum depth, not on the stack
    bool m_groupJustOpened = false;
    bool m_firstInGroup = false; // the current token is the first one of its group
    int m_skipCount = 0;         // fallback characters still to drop after \uN
    QString m_text;              // text not yet written, all in the current character format

    std::map<int, QString> m_fonts;
    int m_defaultFont = 0;
    int m_fontNumber = 0;
    QString m_fontName;

    std::vector<std::optional<QColor>> m_colours;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
};

} // namespace taviro::rtf
