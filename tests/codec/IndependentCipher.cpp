#include "tests/codec/IndependentCipher.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace torvik::test {

namespace {

constexpr std::uint32_t kDelta = 0x9E3779B9u;

std::uint32_t mixed(std::uint32_t y, std::uint32_t z, std::uint32_t sum, std::size_t p, std::uint32_t e,
                    const std::uint32_t k[4])
{
    return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((sum ^ y) + (k[(p & 3) ^ e] ^ z));
}

Words toWords(const std::string &bytes, std::size_t at, int size)
{
    Words v(std::size_t(size) / 4);
    for (std::size_t i = 0; i < v.size(); ++i) {
        const auto b = [&](std::size_t j) { return std::uint32_t(static_cast<unsigned char>(bytes[at + 4 * i + j])); };
        v[i] = b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
    }
    return v;
}

void fromWords(const Words &v, std::string &bytes, std::size_t at)
{
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = 0; j < 4; ++j)
            bytes[at + 4 * i + j] = char((v[i] >> (8 * j)) & 0xFF);
}

template <typename Cipher>
std::string eachPage(const std::string &file, const std::string &password, int pageSize, Cipher cipher)
{
    std::uint32_t key[4];
    md5Key(password, key);
    std::string out = file;
    for (std::size_t at = 0; at + std::size_t(pageSize) <= file.size(); at += std::size_t(pageSize)) {
        Words v = toWords(file, at, pageSize);
        cipher(v, key);
        fromWords(v, out, at);
    }
    return out;
}

} // namespace

void referenceEncipher(Words &v, const std::uint32_t k[4])
{
    const std::size_t n = v.size();
    if (n < 2)
        return;
    std::uint32_t q = std::uint32_t(6 + 52 / n);
    std::uint32_t sum = 0;
    std::uint32_t z = v[n - 1];
    while (q-- > 0) {
        sum += kDelta;
        const std::uint32_t e = (sum >> 2) & 3;
        for (std::size_t p = 0; p < n; ++p) {
            const std::uint32_t y = v[(p + 1) % n];
            v[p] += mixed(y, z, sum, p, e, k);
            z = v[p];
        }
    }
}

void referenceDecipher(Words &v, const std::uint32_t k[4])
{
    const std::size_t n = v.size();
    if (n < 2)
        return;
    const std::uint32_t q = std::uint32_t(6 + 52 / n);
    std::uint32_t sum = q * kDelta;
    std::uint32_t y = v[0];
    while (sum != 0) {
        const std::uint32_t e = (sum >> 2) & 3;
        for (std::size_t p = n; p-- > 0;) {
            const std::uint32_t z = v[(p + n - 1) % n];
            v[p] -= mixed(y, z, sum, p, e, k);
            y = v[p];
        }
        sum -= kDelta;
    }
}

void md5Key(const std::string &password, std::uint32_t key[4])
{
    const QByteArray d = QCryptographicHash::hash(QByteArray(password.data(), qsizetype(password.size())),
                                                  QCryptographicHash::Md5);
    const std::string digest(d.constData(), std::size_t(d.size()));
    const Words w = toWords(digest, 0, 16);
    for (int i = 0; i < 4; ++i)
        key[i] = w[std::size_t(i)];
}

std::string decipherFile(const std::string &file, const std::string &password, int pageSize)
{
    return eachPage(file, password, pageSize, referenceDecipher);
}

std::string encipherFile(const std::string &file, const std::string &password, int pageSize)
{
    return eachPage(file, password, pageSize, referenceEncipher);
}

} // namespace torvik::test
