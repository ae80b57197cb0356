#include "platform/runtime/conversions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/runtime/failure.h"

using namespace platform;

namespace {

TEST(Conversions, RoundHalfToEven) {
    struct Case {
        double in, out;
    };
    for (auto c : {Case{0.5, 0}, Case{1.5, 2}, Case{2.5, 2}, Case{3.5, 4}, Case{-0.5, 0},
                   Case{-1.5, -2}, Case{-2.5, -2}, Case{2.4999, 2}, Case{2.5001, 3},
                   Case{-7.6, -8}}) {
        EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
    }
}

TEST(Conversions, IntegerConversionOverflowsOutsideSixteenBits) {
    EXPECT_EQ(toInteger(32767.4), 32767);
    EXPECT_EQ(toInteger(-32768.5), -32768);  // half to even stays in range
    EXPECT_THROW(toInteger(32767.5), RuntimeFailure);
    EXPECT_THROW(toInteger(-32769), RuntimeFailure);
    EXPECT_THROW(toInteger(NAN), RuntimeFailure);
    EXPECT_EQ(toLong(2147483647.0), 2147483647);
    EXPECT_THROW(toLong(2147483648.0), RuntimeFailure);
    EXPECT_EQ(checkedInteger(-32768), -32768);
    try {
        checkedInteger(32768);
        FAIL();
    } catch (const RuntimeFailure& f) {
        EXPECT_EQ(f.kind(), RuntimeFailure::Kind::Overflow);
    }
}

TEST(Conversions, ValReadsTheLeadingNumber) {
    struct Case {
        const char16_t* text;
        double value;
    };
    for (auto c : {Case{u"", 0}, Case{u"abc", 0}, Case{u"12abc", 12}, Case{u"  -3.5x", -3.5},
                   Case{u"1 2 3", 123}, Case{u"1e3", 1000}, Case{u"1e", 1}, Case{u"&H1F", 31},
                   Case{u"&HFFFF", -1}, Case{u"&O17", 15}, Case{u".5", 0.5}, Case{u"+7", 7},
                   Case{u"4000端口", 4000}, Case{u"\t\n42", 42}, Case{u"-", 0}}) {
        EXPECT_DOUBLE_EQ(val(QString::fromUtf16(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(Conversions, NumericTextMustBeWhollyANumber) {
    EXPECT_DOUBLE_EQ(toNumber(" 42 "), 42);
    EXPECT_DOUBLE_EQ(toNumber("-1.25e2"), -125);
    EXPECT_DOUBLE_EQ(toNumber("&H10"), 16);
    for (const char* bad : {"", " ", "abc", "12abc", "1 2", "--1", "."}) {
        try {
            toNumber(bad);
            FAIL() << "accepted '" << bad << "'";
        } catch (const RuntimeFailure& f) {
            EXPECT_EQ(f.kind(), RuntimeFailure::Kind::TypeMismatch) << bad;
        }
    }
    EXPECT_EQ(textToInteger("2.5"), 2);
    EXPECT_THROW(textToInteger("40000"), RuntimeFailure);
}

}  // namespace
