#include "Counters.h"

#include "TextCodec.h"

#include <array>
#include <cstdint>
#include <limits>

namespace taviro {
namespace {

constexpr std::size_t kCounterBytes = 4;

std::int32_t decodeLittleEndian(const std::array<char, kCounterBytes>& bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kCounterBytes; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::string encodeLittleEndian(std::int32_t signedValue)
{
    const auto value = static_cast<std::uint32_t>(signedValue);
    std::string bytes(kCounterBytes, '\0');
    for (std::size_t i = 0; i < kCounterBytes; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

std::string counterFileName(Counter counter)
{
    switch (counter) {
    case Counter::Cell:
        return "Cell.cou";
    case Counter::Person:
        return "Person.cou";
    case Counter::Grade:
        return "Grade.cou";
    case Counter::Document:
        return "Document.cou";
    case Counter::Session:
        return "Session.cou";
    case Counter::Unique:
        return "Unique.cou";
    }
    return {};
}

int counterWidth(Counter counter)
{
    switch (counter) {
    case Counter::Session:
        return 8;
    case Counter::Unique:
        return 10;
    default:
        return 6;
    }
}

std::string identifierText(long long value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::string Counters::next(Counter counter)
{
    return next(counter, 1).front();
}

std::vector<std::string> Counters::next(Counter counter, int count)
{
    const std::string name = counterFileName(counter);
    // Created under the exclusive lock and never truncated: a counter another workstation made
    // a moment ago is used, not started again at 1.
    SharedFile file = m_files.openWithRetry(name, OpenKind::BinaryOpenOrCreate);
    std::array<char, kCounterBytes> bytes{};
    const std::size_t got = file.readAt(0, bytes.data(), bytes.size());
    std::int32_t value = 1; // a new (empty) counter file starts at 1
    if (got == kCounterBytes)
        value = decodeLittleEndian(bytes);
    else if (got != 0)
        throw IoError(name, "plik licznika jest uszkodzony (" +
                                polishCount(static_cast<long long>(got), "bajt", "bajty", "bajtów") + ")");
    // The first number handed out is 1, so a counter never holds less: such a file is damaged, and
    // going on from it would hand out numbers that are no identifiers (or used ones again).
    if (value <= 0)
        throw IoError(name, "plik licznika jest uszkodzony (wartość " + std::to_string(value) + ")");
    if (count < 1 || value > std::numeric_limits<std::int32_t>::max() - count)
        throw IoError(name, "licznik osiągnął największą możliwą wartość");
    file.writeAt(0, encodeLittleEndian(value + count));
    file.flush();
    file.close();
    std::vector<std::string> drawn;
    for (int i = 0; i < count; ++i)
        drawn.push_back(identifierText(value + i, counterWidth(counter)));
    return drawn;
}

} // namespace taviro
