#include "DataCheckText.h"

#include "TextCodec.h"

#include <algorithm>

namespace taviro::check {
namespace {

constexpr std::size_t kShownBytes = 40; // of a damaged line quoted in a finding

} // namespace

// A UTF-8 path for the standard library, which takes a plain string in the ANSI code page on Windows.
std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number in a name prefix + digits + suffix (Pe000012.dat, Do000007.rtf), or nothing.
std::optional<long long> numberInName(std::string_view name, std::string_view prefix, std::string_view suffix)
{
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (!allDigits(digits))
        return std::nullopt;
    return parseInteger(digits);
}

// The five bytes to which Windows-1250 gives no character.
bool isUnassigned(unsigned char byte)
{
    return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

// A control byte: the program never writes one inside a line (a tab it may: a field takes it).
bool isForeignControl(unsigned char byte)
{
    return byte < 0x20 && byte != '\t';
}

std::string hexByte(unsigned char byte)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

// A stored text as it can be shown in a finding: in quotes, in UTF-8, the bytes no text holds as
// "?", cut after kShownBytes bytes.
std::string quoted(std::string_view stored)
{
    std::string clean(stored.substr(0, kShownBytes));
    for (char& c : clean) {
        const auto byte = static_cast<unsigned char>(c);
        if (isForeignControl(byte) || isUnassigned(byte))
            c = '?';
    }
    return "„" + cp1250ToUtf8(clean) + (stored.size() > kShownBytes ? "…" : "") + "”";
}

// "w wierszu 3 tego pliku" or "w pliku Pe000001.dat (wiersz 3)", seen from the file of a finding.
std::string placeSeenFrom(const Place& place, const std::string& file)
{
    if (place.file == file)
        return "w wierszu " + std::to_string(place.line) + " tego pliku";
    return "w pliku " + place.file + " (wiersz " + std::to_string(place.line) + ")";
}

} // namespace taviro::check
