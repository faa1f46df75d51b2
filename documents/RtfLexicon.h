// The letters of RTF: which bytes make words and numbers, hexadecimal escapes, the destinations whose
// content is never shown, and the Windows-1250 text of \ansicpg1250 documents.
#pragma once

#include <array>
#include <string_view>

namespace taviro::rtf {

// Windows-1250 byte → UTF-16 code unit, built once through the codec of the data files.
const std::array<char16_t, 256>& cp1250Table();

bool isLetter(unsigned char c);
bool isDigit(unsigned char c);
// 0–15, or −1 for a byte that is no hexadecimal digit.
int hexValue(unsigned char c);

// Destinations whose content is never shown: document properties, style and list definitions,
// pictures, objects, page headers and footers, footnotes, field instructions.
bool isSkippedDestination(std::string_view word);

} // namespace taviro::rtf
