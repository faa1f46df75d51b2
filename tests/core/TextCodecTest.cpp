// The text forms of the data files: code page, trimming, case, multi-line values, dates.
#include "TextCodec.h"
#include "RecordText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace taviro;

TEST(TextCodec, PolishLettersRoundTripThroughWindows1250)
{
    const std::string polish = "Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ";
    const std::string bytes = utf8ToCp1250(polish);
    EXPECT_EQ(bytes.size(), std::string("Zazolc gesla jazn ZAZOLC GESLA JAZN").size());
    EXPECT_EQ(cp1250ToUtf8(bytes), polish);
}

// The byte of each of the eighteen Polish letters, as every file of the office holds it, both ways
// and one letter at a time (a table off by one place would still round-trip).
TEST(TextCodec, EachOfTheEighteenPolishLettersHasItsWindows1250Byte)
{
    const std::vector<std::pair<std::string, unsigned char>> letters = {
        {"ą", 0xB9}, {"ć", 0xE6}, {"ę", 0xEA}, {"ł", 0xB3}, {"ń", 0xF1}, {"ó", 0xF3},
        {"ś", 0x9C}, {"ź", 0x9F}, {"ż", 0xBF}, {"Ą", 0xA5}, {"Ć", 0xC6}, {"Ę", 0xCA},
        {"Ł", 0xA3}, {"Ń", 0xD1}, {"Ó", 0xD3}, {"Ś", 0x8C}, {"Ź", 0x8F}, {"Ż", 0xAF},
    };
    ASSERT_EQ(letters.size(), 18u);
    for (const auto& [letter, byte] : letters) {
        const std::string stored(1, static_cast<char>(byte));
        EXPECT_EQ(utf8ToCp1250(letter), stored) << letter;
        EXPECT_EQ(cp1250ToUtf8(stored), letter) << static_cast<int>(byte);
    }
}

TEST(TextCodec, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(all)), all);
}

TEST(TextCodec, RefusesWhatTheCodePageCannotHold)
{
    EXPECT_THROW(utf8ToCp1250("Beyoncé ♥"), EncodingError);
    EXPECT_THROW(utf8ToCp1250("日本"), EncodingError);
    EXPECT_THROW(utf8ToCp1250(std::string("a\xC3", 2)), EncodingError); // cut UTF-8 sequence
    EXPECT_THROW(utf8ToCp1250("\xC0\xAF"), EncodingError);              // overlong form
    EXPECT_FALSE(isCp1250Representable("ø"));
    EXPECT_TRUE(isCp1250Representable("Łódź – „cudzysłów” € ß"));
}

TEST(TextCodec, CountsTakeTheNounFormPolishGivesThem)
{
    EXPECT_EQ(polishCount(1, "bajt", "bajty", "bajtów"), "1 bajt");
    EXPECT_EQ(polishCount(2, "bajt", "bajty", "bajtów"), "2 bajty");
    EXPECT_EQ(polishCount(4, "bajt", "bajty", "bajtów"), "4 bajty");
    EXPECT_EQ(polishCount(5, "bajt", "bajty", "bajtów"), "5 bajtów");
    EXPECT_EQ(polishCount(0, "bajt", "bajty", "bajtów"), "0 bajtów");
    EXPECT_EQ(polishCount(12, "bajt", "bajty", "bajtów"), "12 bajtów");
    EXPECT_EQ(polishCount(22, "bajt", "bajty", "bajtów"), "22 bajty");
    EXPECT_EQ(polishCount(112, "bajt", "bajty", "bajtów"), "112 bajtów");
    EXPECT_EQ(polishCount(21, "bajt", "bajty", "bajtów"), "21 bajtów");
}

TEST(TextCodec, TrimRemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(trimmed("  \t Kadry \r\n"), "Kadry");
    EXPECT_EQ(trimmed("a  b"), "a  b");
    EXPECT_EQ(trimmed(" \x01\x1F "), "");
    EXPECT_EQ(trimmed("ą "), "ą"); // bytes of a Polish letter are not control characters
}

TEST(TextCodec, PolishUpperCasing)
{
    EXPECT_EQ(polishUpper("łódź"), "ŁÓDŹ");
    EXPECT_EQ(polishUpper("zażółć gęślą jaźń"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    EXPECT_EQ(polishUpper("Kadry 2"), "KADRY 2");
    EXPECT_EQ(polishUpper("ß"), "ß");
    // Diacritics matter: a letter and its plain form stay different.
    EXPECT_NE(polishUpper("łódź"), polishUpper("lodz"));
}

TEST(TextCodec, MultiLineValues)
{
    EXPECT_EQ(encodeMultiLine("a\r\nb"), "a#$b");
    EXPECT_EQ(encodeMultiLine("a\nb"), "a#$b"); // a Qt editor's line break is stored the same way
    EXPECT_EQ(encodeMultiLine("  a\r\n\r\nb \r\n"), "a#$#$b");
    EXPECT_EQ(decodeMultiLine("a#$b"), "a\r\nb");
    EXPECT_EQ(decodeMultiLine(encodeMultiLine("first\r\nsecond\r\nthird")), "first\r\nsecond\r\nthird");
    // A "#" or "$" stored in any value comes back as a line break.
    EXPECT_EQ(decodeMultiLine("nr #5 $"), "nr \r5 \n");
}

TEST(TextCodec, LinesSplitAtTheFirstEqualsSign)
{
    auto kv = splitLine("CELLNAME=A=B");
    EXPECT_EQ(kv.key, "CELLNAME=");
    EXPECT_EQ(kv.value, "A=B");
    kv = splitLine("}");
    EXPECT_EQ(kv.key, "}");
    EXPECT_EQ(kv.value, "");
    kv = splitLine("EMPTY=");
    EXPECT_EQ(kv.key, "EMPTY=");
    EXPECT_EQ(kv.value, "");
}

TEST(TextCodec, DatesAndTimes)
{
    EXPECT_EQ(formatDate({2024, 3, 5}), "05-03-2024");
    EXPECT_EQ(formatTime({9, 7, 3}), "09:07:03");
    EXPECT_EQ(parseDate("05-03-2024"), (Date{2024, 3, 5}));
    EXPECT_EQ(parseDate("29-02-2024"), (Date{2024, 2, 29}));
    EXPECT_FALSE(parseDate("29-02-2023"));
    EXPECT_FALSE(parseDate("31-04-2024"));
    EXPECT_FALSE(parseDate("5-3-2024"));
    EXPECT_FALSE(parseDate(""));
    EXPECT_EQ(parseTime("09:07:03"), (TimeOfDay{9, 7, 3}));
    EXPECT_FALSE(parseTime("24:00:00"));
    EXPECT_FALSE(parseTime("09:07"));
}

TEST(TextCodec, IntegersOfIdentifiers)
{
    EXPECT_EQ(parseInteger("000017"), 17);
    EXPECT_EQ(parseInteger(" 17 "), 17);
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("17a"));
    EXPECT_FALSE(parseInteger("99999999999999999999999"));
}
