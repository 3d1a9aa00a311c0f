#include <gtest/gtest.h>

#include "universal/number_box.h"

namespace vm {
namespace {

TEST(NumberBox, constantsShowEveryDigitAndReadBackExactly) {
    for (const double v : {500000.123, 38512345.6789, 0.1234567, -0.001, 1.0, 0.0, 1e-7}) {
        double back = 0;
        ASSERT_TRUE(ParseNumberBox(FormatNumberBox(v), back)) << FormatNumberBox(v);
        EXPECT_EQ(back, v);
    }
    EXPECT_EQ(FormatNumberBox(500000.123), "500000.123");
    EXPECT_EQ(FormatNumberBox(1.0), "1");
}

// Decimal text with spaces around is taken; the integer box takes whole numbers only.
TEST(NumberBox, acceptsDecimalTextWithSpacesAroundAndRejectsTheRest) {
    double v = 0;
    EXPECT_TRUE(ParseNumberBox(" +12.5 ", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseNumberBox("-.5e1", v));
    EXPECT_EQ(v, -5);
    for (const char* bad : {"", " ", "abc", "1.2.3", "12x", "inf", "nan", "0x10", "1e999", "--1"}) {
        EXPECT_FALSE(ParseNumberBox(bad, v)) << bad;
    }
    long long n = 0;
    EXPECT_TRUE(ParseIntegerBox(" -1 ", n));
    EXPECT_EQ(n, -1);
    EXPECT_TRUE(ParseIntegerBox("+42", n));
    EXPECT_EQ(n, 42);
    for (const char* bad : {"", "1.5", "x", "12 3", "99999999999999999999"}) {
        EXPECT_FALSE(ParseIntegerBox(bad, n)) << bad;
    }
}

}  // namespace
}  // namespace vm
