// The RTF reader on well-formed samples: character and paragraph formatting, Polish letters in
// every spelling RTF writers use, skipped destinations, fonts and colours.
#include "RtfTestSupport.h"

#include <QColor>
#include <QTextBlockFormat>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

struct Expected
{
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

void expectRuns(const QTextDocument& document, const std::vector<Expected>& expected)
{
    const std::vector<TextRun> runs = runsOf(document);
    ASSERT_EQ(runs.size(), expected.size()) << document.toRawText().toStdString();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE("run " + std::to_string(i) + " \"" + runs[i].text.toStdString() + "\"");
        EXPECT_EQ(runs[i].text, expected[i].text);
        EXPECT_EQ(runs[i].bold(), expected[i].bold);
        EXPECT_EQ(runs[i].format.fontItalic(), expected[i].italic);
        EXPECT_EQ(runs[i].format.fontUnderline(), expected[i].underline);
    }
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(RtfReader, RecognisesRtfByItsFirstBytes)
{
    EXPECT_TRUE(RtfReader::looksLikeRtf("{\\rtf1\\ansi hello}"));
    EXPECT_TRUE(RtfReader::looksLikeRtf("{\\rtf"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("{\\rt"));
    EXPECT_FALSE(RtfReader::looksLikeRtf(""));
    EXPECT_FALSE(RtfReader::looksLikeRtf("Zwykły tekst {\\rtf1}"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("{\\RTF1}")) << "control words are case sensitive";
}

TEST(RtfReader, CharacterFormattingRunsEndWhereTheyShould)
{
    const auto document = readRtf("{\\rtf1\\ansi\\deff0 Normal {\\b Bold} after \\i italic\\i0  plain "
                                  "\\ul under\\ulnone  mid \\ul u2\\ul0  end \\b\\i both\\plain  reset}");
    expectRuns(*document, {
                              {"Normal "},
                              {"Bold", true},
                              {" after "},
                              {"italic", false, true},
                              {" plain "},
                              {"under", false, false, true},
                              {" mid "},
                              {"u2", false, false, true},
                              {" end "},
                              {"both", true, true},
                              {" reset"},
                          });
}

TEST(RtfReader, GroupsRestoreTheFormattingOfTheirParent)
{
    const auto document = readRtf("{\\rtf1 {\\b b {\\i bi {\\ul biu} bi} b} n {\\b1 one}{\\b0 zero}}");
    expectRuns(*document, {
                              {"b ", true},
                              {"bi ", true, true},
                              {"biu", true, true, true},
                              {" bi", true, true},
                              {" b", true},
                              {" n "},
                              {"one", true},
                              {"zero"},
                          });
}

TEST(RtfReader, PolishLettersFromWindows1250Escapes)
{
    const auto document =
        readRtf("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 "
                "\\'b9\\'ea\\'9c\\'bf\\'9f\\'e6\\'f1\\'f3\\'b3 \\'a5\\'ca\\'8c\\'af\\'8f\\'c6\\'d1\\'d3\\'a3"
                " \\'84cytat\\'94}");
    EXPECT_EQ(document->toRawText(), utf8("ąęśżźćńół ĄĘŚŻŹĆŃÓŁ „cytat”"));
}

TEST(RtfReader, RawBytesAboveAsciiAreWindows1250Too)
{
    const auto document = readRtf("{\\rtf1 Gr\xb9\xbf\x65l}");
    EXPECT_EQ(document->toRawText(), utf8("Grążel"));
}

TEST(RtfReader, UnicodeEscapesDropTheirFallbackCharacters)
{
    // \uc1 (the default): one fallback character, which may itself be a \'hh escape.
    EXPECT_EQ(readRtf("{\\rtf1 Za\\u380?\\u243?\\u322?\\u263? g\\u281\\'eal\\u261?}")->toRawText(),
              utf8("Zażółć gęlą"));
    // \uc2: two fallback characters; \uc0: none.
    EXPECT_EQ(readRtf("{\\rtf1\\uc2 \\u321??x\\uc0\\u346 y}")->toRawText(), utf8("ŁxŚy"));
    // Negative values are the upper half of UTF-16; a surrogate pair makes one character.
    EXPECT_EQ(readRtf("{\\rtf1 \\u-10179?\\u-8704?}")->toRawText(), utf8("😀"));
    // The fallback count belongs to the group that set it.
    EXPECT_EQ(readRtf("{\\rtf1 {\\uc3 \\u321 abc}\\u321 ab}")->toRawText(), utf8("ŁŁb"));
}

TEST(RtfReader, SkippedDestinationsLeaveNoText)
{
    const auto document = readRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                                  "{\\*\\generator Riched20 10.0.19041;}{\\info{\\title Tytu\\'b3}{\\author Ja}}"
                                  "{\\stylesheet{\\s0 Normal;}}{\\*\\unknowndestination tajne}"
                                  "{\\header Nag\\'b3\\'f3wek}{\\footer Stopka}{\\pict\\wmetafile8 0102abcdef}"
                                  "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Odno\\'9cnik}}"
                                  " Tekst \\unknownword12 widoczny\\bin3 {}\\ koniec}");
    EXPECT_EQ(document->toRawText(), utf8("Odnośnik Tekst widoczny koniec"));
}

TEST(RtfReader, FontsAndColoursComeFromTheirTables)
{
    const auto document = readRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}"
                                  "{\\f1\\froman\\fcharset238{\\*\\panose 02020603050405020304}Times New Roman;}}"
                                  "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                                  "Default \\f0\\fs20 Arial ten \\f1\\fs32\\cf1 Times red \\cf2 blue\\cf0  auto}");
    EXPECT_EQ(document->toRawText(), "Default Arial ten Times red blue auto");

    const TextRun byDefault = runWith(*document, "Default");
    EXPECT_EQ(byDefault.format.fontFamilies().toStringList(), QStringList{"Arial"}) << "\\deff0 applies without \\f";
    EXPECT_FALSE(byDefault.format.hasProperty(QTextFormat::FontPointSize));

    const TextRun arial = runWith(*document, "Arial ten");
    EXPECT_EQ(arial.format.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_DOUBLE_EQ(arial.format.fontPointSize(), 10.0);
    EXPECT_FALSE(arial.format.hasProperty(QTextFormat::ForegroundBrush));

    const TextRun red = runWith(*document, "Times red");
    EXPECT_EQ(red.format.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_DOUBLE_EQ(red.format.fontPointSize(), 16.0);
    EXPECT_EQ(red.format.foreground().color(), QColor(255, 0, 0));

    EXPECT_EQ(runWith(*document, "blue").format.foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(runWith(*document, "auto").format.hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, UnknownFontsAndColoursFallBackToTheDefaults)
{
    const auto document =
        readRtf("{\\rtf1\\deff1{\\fonttbl\\f0 Arial;\\f1 Courier New;}{\\colortbl;\\red1\\green2\\blue3;}"
                "first \\f7\\cf9 second\\plain  third}");
    EXPECT_EQ(runWith(*document, "first").format.fontFamilies().toStringList(), QStringList{"Courier New"})
        << "a font table without groups names its fonts too";
    const TextRun second = runWith(*document, "second");
    EXPECT_FALSE(second.format.hasProperty(QTextFormat::FontFamilies));
    EXPECT_FALSE(second.format.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(runWith(*document, "third").format.fontFamilies().toStringList(), QStringList{"Courier New"});
}

TEST(RtfReader, ParagraphsAndTheirAlignment)
{
    const auto document =
        readRtf("{\\rtf1\\pard\\qc Centre\\par\\pard Left\\par\\qr Right\\par\\qj Just\\par\\pard {\\qc inner} after}");
    ASSERT_EQ(document->blockCount(), 5);
    const Qt::Alignment expected[] = {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight, Qt::AlignJustify, Qt::AlignLeft};
    const QString texts[] = {"Centre", "Left", "Right", "Just", "inner after"};
    int index = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++index) {
        EXPECT_EQ(block.text(), texts[index]);
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, expected[index]) << index;
    }
}

TEST(RtfReader, FormattingCarriesAcrossParagraphsUntilReset)
{
    const auto document = readRtf("{\\rtf1{\\b one\\par two}\\par three\\line four\\\r\nfive}");
    ASSERT_EQ(document->blockCount(), 4);
    EXPECT_TRUE(runWith(*document, "one").bold());
    EXPECT_TRUE(runWith(*document, "two").bold());
    EXPECT_FALSE(runWith(*document, "three").bold());
    EXPECT_EQ(document->findBlockByNumber(2).text(), QString("three") + QChar::LineSeparator + "four")
        << "\\line breaks the line inside the paragraph";
    EXPECT_EQ(document->findBlockByNumber(3).text(), "five") << "a backslash before a line end is \\par";
}

TEST(RtfReader, TabsEscapesAndSpecialCharacters)
{
    const auto document = readRtf("{\\rtf1 a\\tab b\tc\\~d\\{e\\}f\\\\g\\-h\\_i\\emdash j\\ldblquote k\\rdblquote}");
    EXPECT_EQ(document->toRawText(), utf8("a\tb\tc\u00A0d{e}f\\g\u00ADh\u2011i—j“k”"));
}

TEST(RtfReader, LineEndsInTheFileAreNotText)
{
    const auto document = readRtf("{\\rtf1 jeden\r\n dwa\r\ntrzy\\par\r\n{\r\n\\*\\generator x}cztery}");
    EXPECT_EQ(document->toPlainText(), "jeden dwatrzy\ncztery");
}

TEST(RtfReader, TextAfterTheDocumentsClosingBraceIsIgnored)
{
    EXPECT_EQ(readRtf("{\\rtf1 in}out{\\b more}")->toRawText(), "in");
}

TEST(RtfReader, ReplacesWhatTheDocumentHeld)
{
    QTextDocument document;
    document.setPlainText("stara treść\nwiele linii");
    RtfReader::read("{\\rtf1 nowa}", document);
    EXPECT_EQ(document.toPlainText(), "nowa");
    EXPECT_FALSE(document.isUndoAvailable()) << "loading is not an edit the user could undo";
}
