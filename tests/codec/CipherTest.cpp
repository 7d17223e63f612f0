// The page cipher and key derivation against a naive reading of the
// algorithm and against pages enciphered by another implementation.

#include "codec/CodecKey.h"
#include "codec/Xxtea.h"
#include "tests/codec/IndependentCipher.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace torvik;

namespace {

test::Words randomWords(std::size_t n, std::mt19937 &rng)
{
    test::Words v(n);
    for (auto &w : v)
        w = std::uint32_t(rng());
    return v;
}

std::string bytesOf(const test::Words &v)
{
    std::string s(v.size() * 4, '\0');
    for (std::size_t i = 0; i < v.size(); ++i)
        for (int j = 0; j < 4; ++j)
            s[4 * i + std::size_t(j)] = char((v[i] >> (8 * j)) & 0xFF);
    return s;
}

codec::CipherKey keyOf(const std::uint32_t k[4])
{
    return codec::CipherKey{{k[0], k[1], k[2], k[3]}};
}

} // namespace

// Small blocks run more cycles (6 + 52/n); pages run 6.
class CipherBlockSizes : public ::testing::TestWithParam<std::size_t> {};

TEST_P(CipherBlockSizes, MatchesTheReferenceBothWays)
{
    std::mt19937 rng{static_cast<unsigned>(GetParam())};
    const std::uint32_t k[4] = {std::uint32_t(rng()), std::uint32_t(rng()), std::uint32_t(rng()), std::uint32_t(rng())};
    const test::Words plain = randomWords(GetParam(), rng);

    test::Words expected = plain;
    test::referenceEncipher(expected, k);
    std::string bytes = bytesOf(plain);
    codec::encipherBlock(reinterpret_cast<unsigned char *>(bytes.data()), plain.size(), keyOf(k));
    EXPECT_EQ(bytes, bytesOf(expected));
    EXPECT_NE(bytes, bytesOf(plain));

    codec::decipherBlock(reinterpret_cast<unsigned char *>(bytes.data()), plain.size(), keyOf(k));
    EXPECT_EQ(bytes, bytesOf(plain));
}

INSTANTIATE_TEST_SUITE_P(Words, CipherBlockSizes, ::testing::Values(2, 3, 5, 13, 53, 128, 256, 1024));

TEST(Cipher, LeavesBlocksOfFewerThanTwoWordsAlone)
{
    const codec::CipherKey key{{1, 2, 3, 4}};
    unsigned char word[4] = {1, 2, 3, 4};
    codec::encipherBlock(word, 1, key);
    codec::decipherBlock(word, 0, key);
    EXPECT_EQ(std::memcmp(word, "\x01\x02\x03\x04", 4), 0);
}

TEST(Cipher, DeciphersEveryPageOfAFileEncipheredElsewhere)
{
    const std::string encrypted = test::readFileBytes(test::fixturePath("game-encrypted-123456.db"));
    const std::string plain = test::readFileBytes(test::fixturePath("game-plain.db"));
    ASSERT_EQ(encrypted.size(), plain.size());
    ASSERT_EQ(encrypted.size() % 1024, 0u);

    const codec::KeyRef key = codec::deriveKey("123456", 6);
    ASSERT_TRUE(key);
    std::string pages = encrypted;
    for (std::size_t at = 0; at < pages.size(); at += 1024)
        codec::decipherBlock(reinterpret_cast<unsigned char *>(pages.data() + at), 256, *key);
    EXPECT_EQ(pages, plain);
}

TEST(KeyDerivation, TakesTheDigestWordsLittleEndian)
{
    // MD5("abc") = 900150983cd24fb0d6963f7d28e17f72
    const codec::KeyRef key = codec::deriveKey("abc", 3);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->k[0], 0x98500190u);
    EXPECT_EQ(key->k[1], 0xb04fd23cu);
    EXPECT_EQ(key->k[2], 0x7d3f96d6u);
    EXPECT_EQ(key->k[3], 0x727fe128u);
}

TEST(KeyDerivation, NoPasswordMeansNoKey)
{
    EXPECT_FALSE(codec::deriveKey(nullptr, 6));
    EXPECT_FALSE(codec::deriveKey("abc", 0));
    EXPECT_FALSE(codec::deriveKey("abc", -1));
}
