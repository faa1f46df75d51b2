// The RTF reader on input no writer would produce: it must always finish, never show more
// characters than the input has bytes, and keep whatever readable text there is.
#include "RtfTestSupport.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace taviro;
using namespace taviro::test;

namespace {

// Reads the bytes and checks what holds for any input.
QString readAny(const QByteArray& bytes)
{
    const auto document = readRtf(bytes);
    const QString text = document->toRawText();
    EXPECT_LE(text.size(), bytes.size() + 1) << "more characters than input bytes";
    return text;
}

QByteArray repeated(const char* piece, int count)
{
    return QByteArray(piece).repeated(count);
}

} // namespace

TEST(RtfReaderMalformedInput, EmptyInputGivesAnEmptyDocument)
{
    const auto document = readRtf("");
    EXPECT_TRUE(document->isEmpty());
    EXPECT_EQ(document->blockCount(), 1);
    EXPECT_TRUE(readAny("{").isEmpty());
    EXPECT_TRUE(readAny("}").isEmpty());
    EXPECT_TRUE(readAny("\\").isEmpty());
}

TEST(RtfReaderMalformedInput, UnbalancedBracesKeepTheText)
{
    EXPECT_EQ(readAny("{\\rtf1 {\\b unclosed"), "unclosed");
    EXPECT_EQ(readAny("{\\rtf1 a}}}}} b"), "a");
    EXPECT_EQ(readAny("}}}{\\rtf1 x}"), "x") << "stray closing braces before the document close nothing";
    EXPECT_EQ(readAny("{\\rtf1 {{{{ a }}"), " a ");
}

TEST(RtfReaderMalformedInput, TruncatedEscapesAndWords)
{
    for (const char* sample :
         {"{\\rtf1 \\'", "{\\rtf1 \\'b", "{\\rtf1 \\u", "{\\rtf1 \\u-", "{\\rtf1 \\", "{\\rtf1 \\fs", "{\\rtf1 \\*",
          "{\\rtf1 {\\fonttbl{\\f0 Ari", "{\\rtf1 {\\colortbl;\\red9", "{\\rtf1 \\bin", "{\\rtf1 \\bin5 ab"}) {
        SCOPED_TRACE(sample);
        readAny(sample);
    }
    EXPECT_EQ(readAny("{\\rtf1 \\'zz ok}"), "zz ok") << "a broken escape drops no text after it";
    EXPECT_EQ(readAny("{\\rtf1 \\'b"), "");
    EXPECT_EQ(readAny("{\\rtf1 x\\u261"), "x\u0105");
}

TEST(RtfReaderMalformedInput, ExtremeNumbers)
{
    const auto huge = readRtf("{\\rtf1\\fs99999999999999999999999 big\\fs-5  small \\cf-3 c \\f-9 f\\uc-4\\u99999999?x"
                              "\\uc99999999\\u65 abc\\bin-7 d\\bin99999999999 gone}");
    const TextRun big = runWith(*huge, "big");
    EXPECT_GT(big.format.fontPointSize(), 0.0);
    EXPECT_LE(big.format.fontPointSize(), 1638.0);
    EXPECT_FALSE(runWith(*huge, "small").format.hasProperty(QTextFormat::FontPointSize));
    EXPECT_TRUE(huge->toRawText().startsWith("big small c f"));
    EXPECT_FALSE(huge->toRawText().contains("gone")) << "\\bin takes the rest of the input as data";
    readAny("{\\rtf1 \\" + QByteArray(100000, 'a') + "1234567890123456789012345 text}");
    readAny("{\\rtf1 \\fs" + QByteArray(100000, '9') + " text}");
}

TEST(RtfReaderMalformedInput, DeepNestingIsCappedNotRecursed)
{
    const int depth = 100000;
    EXPECT_EQ(readAny("{\\rtf1 " + repeated("{", depth) + "deep" + repeated("}", depth) + " after}"), "deep after");
    EXPECT_EQ(readAny("{\\rtf1 " + repeated("{\\b ", depth) + "x"), "x");
    EXPECT_EQ(readAny("{\\rtf1 " + repeated("{\\*", depth) + "hidden" + repeated("}", depth) + "shown}"), "shown");
    EXPECT_EQ(readAny("{\\rtf1 " + repeated("}{", depth)), "");
    // Past the cap the groups still balance: the text after them keeps the outer formatting.
    const auto document = readRtf("{\\rtf1 " + repeated("{", 2000) + "{\\b in}" + repeated("}", 2000) + "out}");
    EXPECT_EQ(document->toRawText(), "inout");
    EXPECT_FALSE(runWith(*document, "out").bold());
}

TEST(RtfReaderMalformedInput, NulAndControlBytesAreNotText)
{
    const char raw[] = "{\\rtf1 a\0b\x01\x02\x1f"
                       "c\\'00\\'0d\\u0?\\u10?d}";
    const QByteArray bytes(raw, sizeof(raw) - 1);
    EXPECT_EQ(readAny(bytes), "abcd");
}

TEST(RtfReaderMalformedInput, RandomBytesFromAFixedSeed)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int sample = 0; sample < 20; ++sample) {
        QByteArray bytes = sample % 2 == 0 ? QByteArray("{\\rtf1 ") : QByteArray();
        for (int i = 0; i < 32768; ++i)
            bytes += static_cast<char>(byte(random));
        SCOPED_TRACE(sample);
        readAny(bytes);
    }
}

TEST(RtfReaderMalformedInput, RandomRtfTokensFromAFixedSeed)
{
    // Random sequences of what the reader reacts to reach far more of its states than bytes do.
    const char* tokens[] = {"{",      "}",       "\\",     "\\'",    "\\'b9",     "\\u",        "\\u-",   "\\uc",
                            "\\uc0",  "\\*",     "\\bin",  "\\par",  "\\b",       "\\b0",       "\\fs",   "\\f",
                            "\\cf",   "\\plain", "\\pard", "\\qc",   "\\fonttbl", "\\colortbl", "\\red",  ";",
                            "\\info", "\\pict",  "\\tab",  "\\line", "\\~",       "\\{",        "1",      "99999",
                            "-",      " ",       "a",      "\xb9",   "?",         "\r\n",       "\\deff", "\\ul"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(tokens) - 1);
    for (int sample = 0; sample < 50; ++sample) {
        QByteArray bytes("{\\rtf1 ");
        for (int i = 0; i < 5000; ++i)
            bytes += tokens[pick(random)];
        SCOPED_TRACE(sample);
        readAny(bytes);
    }
}
