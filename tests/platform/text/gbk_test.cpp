#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "platform/text/display_width.h"

namespace platform {
namespace {

// Test names carry the case: letters and digits as they are, every other byte as %XX.
void printCaseName(std::string_view bytes, std::ostream* os) {
    static const char* const kHex = "0123456789ABCDEF";
    for (unsigned char byte : bytes) {
        if (std::isalnum(byte))
            *os << static_cast<char>(byte);
        else
            *os << '%' << kHex[byte >> 4] << kHex[byte & 15];
    }
}

struct RoundTrip {
    std::string utf8;
    std::string gbk;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    printCaseName(c.gbk, os);
}

class GbkRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(GbkRoundTrip, EncodesToTheGbkBytesAndDecodesBack) {
    const QString text = QString::fromUtf8(GetParam().utf8.data(), GetParam().utf8.size());
    EXPECT_EQ(encodeGbk(text), GetParam().gbk);
    EXPECT_EQ(decodeGbk(GetParam().gbk), text);
}

INSTANTIATE_TEST_SUITE_P(MixedLatinAndChinese, GbkRoundTrip,
                         testing::Values(RoundTrip{"", ""}, RoundTrip{"abc 123", "abc 123"},
                                         RoundTrip{"中文", "\xD6\xD0\xCE\xC4"},
                                         RoundTrip{"Ab中1文z",
                                                   "Ab\xD6\xD0"
                                                   "1\xCE\xC4z"},
                                         RoundTrip{"，。！", "\xA3\xAC\xA1\xA3\xA3\xA1"},
                                         RoundTrip{"€", "\x80"},
                                         RoundTrip{std::string("a\0b", 3), std::string("a\0b", 3)},
                                         // trail bytes that look like "\\" and "]"
                                         RoundTrip{"乗]乚\\", "\x81\x5C]\x81\x5D\\"}));

// Text of ASCII only is read without the converter: it must read as the converter reads it,
// alone and beside a character the converter reads.
TEST(GbkDecoding, AsciiBytesAreTheirOwnCharacters) {
    std::string bytes;
    QString text;
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        bytes += static_cast<char>(unit);
        text += QChar(unit);
        EXPECT_EQ(decodeGbk(std::string(1, static_cast<char>(unit))), QString(QChar(unit)));
    }
    EXPECT_EQ(decodeGbk(bytes), text);
    EXPECT_EQ(decodeGbk(bytes + "\xD6\xD0"), text + QString::fromUtf8("中"));
}

TEST(GbkEncoding, CharactersGbkCannotHoldBecomeQuestionMarks) {
    EXPECT_EQ(encodeGbk(QString::fromUtf8("a｡b")), "a?b");     // half-width katakana
    EXPECT_EQ(encodeGbk(QString::fromUtf8("x😀y")), "x?y");     // beyond 16 bits: one '?'
    EXPECT_EQ(encodeGbk(QString(QChar(0xD800)) + "z"), "?z");  // lone surrogate
}

struct InvalidBytes {
    std::string bytes;
    const char* expectedUtf8;
};

void PrintTo(const InvalidBytes& c, std::ostream* os) {
    printCaseName(c.bytes, os);
}

class GbkDecodingOfInvalidBytes : public testing::TestWithParam<InvalidBytes> {};

TEST_P(GbkDecodingOfInvalidBytes, GiveReplacementCharactersAndKeepWhatFollows) {
    EXPECT_EQ(decodeGbk(GetParam().bytes), QString::fromUtf8(GetParam().expectedUtf8));
}

// A blank and 0x7F can never be trail bytes, so they survive a lead byte before them.
INSTANTIATE_TEST_SUITE_P(Table, GbkDecodingOfInvalidBytes,
                         testing::Values(InvalidBytes{"\xFF", "\uFFFD"},
                                         InvalidBytes{"ab\xD6", "ab\uFFFD"},
                                         InvalidBytes{"\xD6 \xD6\xD0", "\uFFFD 中"},
                                         InvalidBytes{"\x81\x7F!", "\uFFFD\x7F!"},
                                         InvalidBytes{"\xFF\xFF\xFF", "\uFFFD\uFFFD\uFFFD"}));

TEST(GbkDecoding, ReadsNothingPastTheGivenBytes) {
    const std::string buffer = "\xD6\xD0\xCE\xC4";
    EXPECT_EQ(decodeGbk(std::string_view(buffer).substr(0, 3)), QString::fromUtf8("中\uFFFD"));
}

TEST(GbkDecoding, HandlesTextLongerThanOneConversionChunk) {
    std::string bytes;
    QString expected;
    for (int i = 0; i < 3000; ++i) {
        bytes += i % 3 == 0 ? std::string("\xD6\xD0") : std::string(i % 3 == 1 ? "x" : "\xFF");
        expected += i % 3 == 0 ? QString::fromUtf8("中") : (i % 3 == 1 ? QString("x") : "\uFFFD");
    }
    EXPECT_EQ(decodeGbk(bytes), expected);
}

struct CharacterCase {
    const char* utf8;
    int code;
    bool singleByte;
};

void PrintTo(const CharacterCase& c, std::ostream* os) {
    *os << c.code;
}

class GbkCharacter : public testing::TestWithParam<CharacterCase> {};

TEST_P(GbkCharacter, HasTheCodeAndDisplayWidthOfItsGbkBytes) {
    const QChar ch = QString::fromUtf8(GetParam().utf8).at(0);
    EXPECT_EQ(gbkCode(ch), GetParam().code);
    EXPECT_EQ(isSingleByteGbk(ch), GetParam().singleByte);
    EXPECT_EQ(displayWidth(ch), GetParam().singleByte ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GbkCharacter,
    testing::Values(CharacterCase{"A", 65, true}, CharacterCase{"z", 122, true},
                    CharacterCase{"0", 48, true}, CharacterCase{"9", 57, true},
                    CharacterCase{" ", 32, true}, CharacterCase{"€", 128, true},
                    CharacterCase{"中", static_cast<short>(0xD6D0), false},
                    CharacterCase{"文", static_cast<short>(0xCEC4), false},
                    CharacterCase{"，", static_cast<short>(0xA3AC), false},
                    CharacterCase{"　", static_cast<short>(0xA1A1), false},  // ideographic space
                    CharacterCase{"Ａ", static_cast<short>(0xA3C1), false},
                    CharacterCase{"｡", '?', true}));  // not in GBK: counts as its '?'

TEST(GbkDisplayWidth, OfATextSumsItsCharacters) {
    EXPECT_EQ(displayWidth(QString()), 0);
    EXPECT_EQ(displayWidth(QString::fromUtf8("ab12")), 4);
    EXPECT_EQ(displayWidth(QString::fromUtf8("出牌！ok")), 8);
}

}  // namespace
}  // namespace platform
