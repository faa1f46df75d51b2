// SHA-256 (FIPS 180-4), for the manifest of a backup copy: the digest of each copied file, so that
// a copy can be told intact long after it was made, with any other tool that computes SHA-256.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace taviro {

class Sha256
{
public:
    Sha256();
    // Takes the next bytes of the message; may be called any number of times.
    void update(std::string_view bytes);
    // The digest of everything taken, as 64 lower-case hexadecimal digits. Ends the message: call
    // nothing but this again afterwards.
    std::string hexDigest();

private:
    void compress(const unsigned char* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<unsigned char, 64> m_block{};
    std::size_t m_blockUsed = 0;
    std::uint64_t m_length = 0; // bytes taken
    std::string m_digest;       // once computed
};

// The digest of one whole text at once.
std::string sha256Hex(std::string_view bytes);

} // namespace taviro
