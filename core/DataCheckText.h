// What the check of a data directory says about names, bytes and places: the small pieces its
// findings are made of.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace taviro::check {

// A UTF-8 path for the standard library, which takes a plain string in the ANSI code page on Windows.
std::filesystem::path pathOf(const std::string& utf8);
std::string utf8Of(const std::filesystem::path& path);

bool allDigits(std::string_view text);
// The number in a name prefix + digits + suffix (Pe000012.dat, Do000007.rtf), or nothing.
std::optional<long long> numberInName(std::string_view name, std::string_view prefix, std::string_view suffix);

// The five bytes to which Windows-1250 gives no character.
bool isUnassigned(unsigned char byte);
// A control byte: the program never writes one inside a line (a tab it may: a field takes it).
bool isForeignControl(unsigned char byte);
std::string hexByte(unsigned char byte);
// A stored text as it can be shown in a finding: in quotes, in UTF-8, the bytes no text holds as
// "?", cut after its first 40 bytes.
std::string quoted(std::string_view stored);

struct Place
{
    std::string file;
    std::size_t line = 0;
};

// "w wierszu 3 tego pliku" or "w pliku Pe000001.dat (wiersz 3)", seen from the file of a finding.
std::string placeSeenFrom(const Place& place, const std::string& file);

} // namespace taviro::check
