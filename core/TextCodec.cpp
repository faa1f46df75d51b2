// Conversion between the on-disk Windows-1250 text and the program's UTF-8, and the value forms.
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace taviro {
namespace {

// Unicode code points of the bytes 0x80–0xFF of Windows-1250.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Lower-case letters of the code page above ASCII with their upper-case partners.
constexpr std::pair<char32_t, char32_t> kUpperCase[] = {
    {0x0161, 0x0160}, {0x015B, 0x015A}, {0x0165, 0x0164}, {0x017E, 0x017D}, {0x017A, 0x0179}, {0x0142, 0x0141},
    {0x0105, 0x0104}, {0x015F, 0x015E}, {0x013E, 0x013D}, {0x017C, 0x017B}, {0x0155, 0x0154}, {0x00E1, 0x00C1},
    {0x00E2, 0x00C2}, {0x0103, 0x0102}, {0x00E4, 0x00C4}, {0x013A, 0x0139}, {0x0107, 0x0106}, {0x00E7, 0x00C7},
    {0x010D, 0x010C}, {0x00E9, 0x00C9}, {0x0119, 0x0118}, {0x00EB, 0x00CB}, {0x011B, 0x011A}, {0x00ED, 0x00CD},
    {0x00EE, 0x00CE}, {0x010F, 0x010E}, {0x0111, 0x0110}, {0x0144, 0x0143}, {0x0148, 0x0147}, {0x00F3, 0x00D3},
    {0x00F4, 0x00D4}, {0x0151, 0x0150}, {0x00F6, 0x00D6}, {0x0159, 0x0158}, {0x016F, 0x016E}, {0x00FA, 0x00DA},
    {0x0171, 0x0170}, {0x00FC, 0x00DC}, {0x00FD, 0x00DD}, {0x0163, 0x0162},
};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[pos]; nothing for a malformed one.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + length > text.size())
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const auto cont = static_cast<unsigned char>(text[pos + i]);
        if ((cont & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += length;
    return cp;
}

std::optional<unsigned char> cp1250Byte(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    const auto found = std::find(kHighHalf.begin(), kHighHalf.end(), cp);
    if (found == kHighHalf.end())
        return std::nullopt;
    return static_cast<unsigned char>(0x80 + (found - kHighHalf.begin()));
}

char32_t upperCodePoint(char32_t cp)
{
    if (cp >= U'a' && cp <= U'z')
        return cp - (U'a' - U'A');
    for (const auto& [lower, upper] : kUpperCase) {
        if (lower == cp)
            return upper;
    }
    return cp;
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::string cp1250ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            appendUtf8(out, kHighHalf[b - 0x80]);
    }
    return out;
}

std::string utf8ToCp1250(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const auto cp = nextCodePoint(text, pos);
        if (!cp)
            throw EncodingError("Niepoprawny zapis znaków w tekście.");
        const auto byte = cp1250Byte(*cp);
        if (!byte)
            throw EncodingError("Znak \"" + std::string(text.substr(start, pos - start)) +
                                "\" nie może zostać zapisany w pliku danych.");
        out += static_cast<char>(*byte);
    }
    return out;
}

bool isCp1250Representable(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto cp = nextCodePoint(text, pos);
        if (!cp || !cp1250Byte(*cp))
            return false;
    }
    return true;
}

std::optional<Unstorable> firstUnstorable(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const auto cp = nextCodePoint(text, pos);
        if (!cp)
            return Unstorable{start, 1, true};
        if (!cp1250Byte(*cp))
            return Unstorable{start, pos - start, false};
    }
    return std::nullopt;
}

std::optional<std::string> utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t cp = unitAt(i);
        if (cp >= 0xDC00 && cp <= 0xDFFF)
            return std::nullopt; // a low surrogate without its high one
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 2 >= bytes.size())
                return std::nullopt;
            const char32_t low = unitAt(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string polishCount(long long count, std::string_view one, std::string_view few, std::string_view many)
{
    const long long tens = (count < 0 ? -count : count) % 100;
    const long long units = tens % 10;
    std::string_view noun = many;
    if (count == 1)
        noun = one;
    else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        noun = few;
    return std::to_string(count) + " " + std::string(noun);
}

std::string_view trimmedView(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string trimmed(std::string_view text)
{
    return std::string(trimmedView(text));
}

std::string polishUpper(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const auto cp = nextCodePoint(text, pos);
        if (!cp) {
            // Not UTF-8: keep the byte as it is rather than lose it.
            out += text[start];
            pos = start + 1;
            continue;
        }
        appendUtf8(out, upperCodePoint(*cp));
    }
    return out;
}

std::string encodeMultiLine(std::string_view text)
{
    const std::string body = trimmed(text);
    std::string out;
    out.reserve(body.size() + 8);
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '\r') {
            out += '#';
        } else if (c == '\n') {
            if (i == 0 || body[i - 1] != '\r')
                out += '#';
            out += '$';
        } else {
            out += c;
        }
    }
    return out;
}

std::string decodeMultiLine(std::string_view stored)
{
    std::string out(stored);
    for (char& c : out) {
        if (c == '#')
            c = '\r';
        else if (c == '$')
            c = '\n';
    }
    return out;
}

namespace {

std::string twoDigits(int value)
{
    std::string out = std::to_string(value);
    if (out.size() < 2)
        out.insert(0, 2 - out.size(), '0');
    return out;
}

std::optional<int> digitsAt(std::string_view text, std::size_t pos, std::size_t count)
{
    if (pos + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

std::string formatDate(const Date& date)
{
    std::string year = std::to_string(date.year);
    if (year.size() < 4)
        year.insert(0, 4 - year.size(), '0');
    return twoDigits(date.day) + "-" + twoDigits(date.month) + "-" + year;
}

std::string formatTime(const TimeOfDay& time)
{
    return twoDigits(time.hour) + ":" + twoDigits(time.minute) + ":" + twoDigits(time.second);
}

std::optional<Date> parseDate(std::string_view text)
{
    const auto day = digitsAt(text, 0, 2);
    const auto month = digitsAt(text, 3, 2);
    const auto year = digitsAt(text, 6, 4);
    if (!day || !month || !year || *month < 1 || *month > 12 || *year < 1)
        return std::nullopt;
    if (*day < 1 || *day > daysInMonth(*year, *month))
        return std::nullopt;
    return Date{*year, *month, *day};
}

std::optional<TimeOfDay> parseTime(std::string_view text)
{
    const auto hour = digitsAt(text, 0, 2);
    const auto minute = digitsAt(text, 3, 2);
    const auto second = digitsAt(text, 6, 2);
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return TimeOfDay{*hour, *minute, *second};
}

std::optional<long long> parseInteger(std::string_view text)
{
    const std::string clean = trimmed(text);
    long long value = 0;
    const char* first = clean.data();
    const char* last = clean.data() + clean.size();
    if (first != last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last)
        return std::nullopt;
    return value;
}

} // namespace taviro
