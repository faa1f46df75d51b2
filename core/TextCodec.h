// Text forms of the data files: Windows-1250 bytes on disk, UTF-8 inside the program,
// and the stored forms of trimmed, multi-line, date and time values.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace taviro {

// Raised when text cannot be written as Windows-1250 (a character outside the code page
// or malformed UTF-8). Nothing has been written when it is thrown.
class EncodingError : public std::runtime_error
{
public:
    explicit EncodingError(const std::string& what) : std::runtime_error(what) {}
};

// Windows-1250 bytes to UTF-8. Never fails: the five byte values the code page leaves
// unassigned map to the control characters of the same number, so every byte survives
// a round trip.
std::string cp1250ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1250 bytes; throws EncodingError for anything the code page cannot hold.
std::string utf8ToCp1250(std::string_view text);

// True when every character of the UTF-8 text can be written as Windows-1250.
bool isCp1250Representable(std::string_view text);

// Where UTF-8 text first holds something Windows-1250 cannot: a character outside the code page,
// or bytes that are no UTF-8 at all (malformed). Offset and length are in bytes of the text.
struct Unstorable
{
    std::size_t offset = 0;
    std::size_t length = 0;
    bool malformed = false;
};
std::optional<Unstorable> firstUnstorable(std::string_view text);

// UTF-16 bytes (little- or big-endian, no byte order mark) as UTF-8; nothing when they are not
// well-formed UTF-16 (an odd byte at the end, a surrogate without its partner).
std::optional<std::string> utf16ToUtf8(std::string_view bytes, bool bigEndian);

// A count with its noun in the form Polish gives it after that number: "1 bajt", "2 bajty",
// "5 bajtów", "22 bajty".
std::string polishCount(long long count, std::string_view one, std::string_view few, std::string_view many);

// Removes leading and trailing blanks and control characters (every byte up to and including 0x20).
std::string trimmed(std::string_view text);
// The same without copying: the trimmed part of the text.
std::string_view trimmedView(std::string_view text);

// Upper case after Polish rules (ą→Ą, ł→Ł, ż→Ż …) for every letter of the code page; the one
// function used wherever names or identifiers are compared without regard to letter case.
std::string polishUpper(std::string_view text);

// Multi-line field text as stored: trimmed, every CR as "#", every LF as "$". A lone LF (as
// Qt editors produce) is first widened to CR LF so that a line break is always stored as "#$".
std::string encodeMultiLine(std::string_view text);

// Stored value back to text: every "#" becomes CR and every "$" LF.
std::string decodeMultiLine(std::string_view stored);

struct Date
{
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
};

struct TimeOfDay
{
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay&) const = default;
};

std::string formatDate(const Date& date);      // DD-MM-YYYY
std::string formatTime(const TimeOfDay& time); // HH:MM:SS
// Readers take characters 1–2, 4–5 and 7–10 (dates) or 7–8 (times); anything that is not
// a valid calendar date or time of day gives nothing.
std::optional<Date> parseDate(std::string_view text);
std::optional<TimeOfDay> parseTime(std::string_view text);

// Decimal value of an identifier text such as "000017"; nothing when it is not a number.
std::optional<long long> parseInteger(std::string_view text);

} // namespace taviro
