#include "codec/Xxtea.h"

#include <bit>
#include <cstring>

namespace torvik::codec {

namespace {

constexpr std::uint32_t kDelta = 0x9E3779B9u;

inline std::uint32_t load(const unsigned char *data, std::size_t i)
{
    std::uint32_t v;
    std::memcpy(&v, data + 4 * i, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return v;
}

inline void store(unsigned char *data, std::size_t i, std::uint32_t v)
{
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    std::memcpy(data + 4 * i, &v, 4);
}

inline std::uint32_t mx(std::uint32_t y, std::uint32_t z, std::uint32_t sum, std::size_t p, std::uint32_t e,
                        const CipherKey &key)
{
    return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((sum ^ y) + (key.k[(p & 3) ^ e] ^ z));
}

inline std::uint32_t cycles(std::size_t n)
{
    return std::uint32_t(6 + 52 / n);
}

} // namespace

void encipherBlock(unsigned char *data, std::size_t n, const CipherKey &key)
{
    if (n < 2)
        return;
    std::uint32_t sum = 0;
    std::uint32_t z = load(data, n - 1);
    for (std::uint32_t round = cycles(n); round > 0; --round) {
        sum += kDelta;
        const std::uint32_t e = (sum >> 2) & 3;
        std::size_t p = 0;
        for (; p < n - 1; ++p) {
            const std::uint32_t y = load(data, p + 1);
            z = load(data, p) + mx(y, z, sum, p, e, key);
            store(data, p, z);
        }
        const std::uint32_t y = load(data, 0);
        z = load(data, p) + mx(y, z, sum, p, e, key);
        store(data, p, z);
    }
}

void decipherBlock(unsigned char *data, std::size_t n, const CipherKey &key)
{
    if (n < 2)
        return;
    std::uint32_t sum = cycles(n) * kDelta;
    std::uint32_t y = load(data, 0);
    while (sum != 0) {
        const std::uint32_t e = (sum >> 2) & 3;
        std::size_t p = n - 1;
        for (; p > 0; --p) {
            const std::uint32_t z = load(data, p - 1);
            y = load(data, p) - mx(y, z, sum, p, e, key);
            store(data, p, y);
        }
        const std::uint32_t z = load(data, n - 1);
        y = load(data, 0) - mx(y, z, sum, 0, e, key);
        store(data, 0, y);
        sum -= kDelta;
    }
}

} // namespace torvik::codec
