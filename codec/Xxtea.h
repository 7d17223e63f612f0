#pragma once

// XXTEA (Corrected Block TEA) over one block of 32-bit little-endian words.
// A database page is one block; the cipher takes no IV or page number.

#include <cstddef>
#include <cstdint>

namespace torvik::codec {

struct CipherKey {
    std::uint32_t k[4];
};

// Both work in place on `words` little-endian 32-bit words starting at `data`
// (no alignment needed). Blocks of fewer than two words are left untouched.
void encipherBlock(unsigned char *data, std::size_t words, const CipherKey &key);
void decipherBlock(unsigned char *data, std::size_t words, const CipherKey &key);

} // namespace torvik::codec
