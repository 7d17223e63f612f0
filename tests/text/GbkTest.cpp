#include "text/Gbk.h"

#include <gtest/gtest.h>

using namespace torvik::text;

namespace {

struct RoundTrip {
    const char *unicodeUtf8;
    std::string gbk;
};

} // namespace

TEST(Gbk, ConvertsBothWaysByteForByte)
{
    const RoundTrip cases[] = {
        {"", ""},
        {"Sword", "Sword"},
        {"屠龙", "\xCD\xC0\xC1\xFA"},
        {"木剑(1)", "\xC4\xBE\xBD\xA3(1)"},
        {"€", "\x80"}, // the one single-byte extension of code page 936
    };
    for (const auto &c : cases) {
        const QString unicode = QString::fromUtf8(c.unicodeUtf8);
        EXPECT_EQ(toGbk(unicode), c.gbk) << c.unicodeUtf8;
        EXPECT_EQ(fromGbk(c.gbk), unicode) << c.unicodeUtf8;
        EXPECT_EQ(gbkToUtf8(c.gbk), std::string(c.unicodeUtf8));
        EXPECT_EQ(utf8ToGbk(c.unicodeUtf8), c.gbk);
    }
}

TEST(Gbk, RefusesCharactersOutsideGbkAndNamesThem)
{
    const QString emoji = QString::fromUtf8("剑😀");
    QString offending;
    EXPECT_FALSE(isGbkEncodable(emoji, &offending));
    EXPECT_EQ(offending, QString::fromUtf8("😀"));
    try {
        toGbk(emoji);
        FAIL() << "no error for an emoji";
    } catch (const GbkEncodingError &e) {
        EXPECT_EQ(e.offending(), QString::fromUtf8("😀"));
        EXPECT_TRUE(e.message().contains(QString::fromUtf8("😀")));
    }
    EXPECT_THROW(toGbk(QString::fromUtf8("한국")), GbkEncodingError); // Hangul is not in GBK
    EXPECT_TRUE(isGbkEncodable(QString::fromUtf8("繁體字")));     // GBK holds traditional forms
}

TEST(Gbk, DamagedBytesStillDecode)
{
    const QString shown = fromGbk(std::string("ab\xCD", 3)); // a lead byte with no trail
    EXPECT_TRUE(shown.startsWith("ab"));
    EXPECT_GT(shown.size(), 2);
}

// The byte scan must answer exactly what the codec's whole-text round trip
// answers: a "yes" it should not give would let bytes reach the text area
// that come back altered.
TEST(Gbk, ExactScanAgreesWithTheCodec)
{
    const std::string cases[] = {
        "",
        "1;Sword;12",
        "\xCD\xC0\xC1\xFA",     // 屠龙
        "\x80",                 // the euro sign
        "a\xFF",                // never a GBK byte
        "\x81",                 // a lead byte alone at the end
        "\x81;",                // a lead byte before an ASCII byte
        "\xCD\xC0\xC1",         // a character cut in half
        "\xA1\x40",             // a user-defined area pair
        "\xFE\xFE",             // the last pair
        "\x81\x30\x81\x30",     // a four-byte GB18030 sequence
        std::string("\x00\xCD\xC0", 3),
    };
    for (const std::string &bytes : cases)
        EXPECT_EQ(isExactGbk(bytes), fromGbkExact(bytes).has_value()) << ::testing::PrintToString(bytes);
    // Every two-byte sequence after a lead byte, in context.
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead)
        for (unsigned trail = 0; trail <= 0xFF; trail += 7) {
            const std::string bytes = std::string("x") + char(lead) + char(trail) + "y";
            ASSERT_EQ(isExactGbk(bytes), fromGbkExact(bytes).has_value()) << lead << " " << trail;
        }
}
