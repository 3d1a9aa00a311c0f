#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "common/number.h"
#include "instrument/number_text.h"
#include "instrument/target_layout.h"

namespace vm {
namespace {

// Each layout's point line is checked byte for byte against an independent
// rendering of the layouts (tests/scripts/instrument_reference.sh).
TEST(TargetLayout, anIndexOutsideTheListWritesNothing) {
    char line[kMaxPointLine];
    EXPECT_EQ(WritePointLine(line, "P7", 1, 2, 3, "T", -1, 1), 2u);
    EXPECT_EQ(WritePointLine(line, "P7", 1, 2, 3, "T", 11, 1), 2u);
    EXPECT_EQ(LayoutHeader(11, 5, "P7"), "");
}

// Any value against printf is the number fuzz target's job; here the edges:
// signed zeros, tiny negatives, halves of the last digit (printf rounds exact
// binary ties to even: 0.0625, 0.03125 and 0.0078125 at 3, 4 and 6 decimals),
// values near the end of a double's exact integers, huge values.
TEST(NumberText, fixedPrintingMatchesPrintf) {
    const double values[] = {0.0,     -0.0,   0.0005,        0.0015,  -0.0004,    2.5e-4,
                             1e20,    1e300,  -1e308,        0.125,   1234.5675,  12.3455,
                             1.0 / 3, 0.0625, -0.0625,       0.03125, 0.0078125,  2.5,
                             -7.4999, 0.1875, 2.0625,        -0.0001, 1e15 + 0.5, 8.99e15,
                             9.1e15,  1e17,   38512345.6785, 512.345, 0.9995,     9999999.9995};
    char expected[512];
    for (double v : values) {
        for (int decimals : {3, 4, 6}) {
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            std::string got;
            AppendFixed(got, v, decimals);
            ASSERT_EQ(got, expected) << v;
        }
    }
    std::string special;
    AppendFixed(special, HUGE_VAL, 3);
    EXPECT_EQ(special, "inf");
}

// Fields of the instrument's files and of the universal conversion are read
// by the same rule.
TEST(NumberText, readingMatchesTheCLibraryRule) {
    const std::string hugeDigits(400, '9');
    const std::string texts[] = {"1234567",
                                 "-0",
                                 "+12",
                                 "  \t42x",
                                 "12.5",
                                 "1e3",
                                 "1e",
                                 ".5",
                                 "-",
                                 "",
                                 "abc",
                                 "007",
                                 "99999999999999999999",
                                 "123456789012345",
                                 "1234567890123456",
                                 "12,34",
                                 "-1234,",
                                 "1E+2",
                                 "0x10",
                                 "\v-3",
                                 "5.",
                                 ".",
                                 "12.5m",
                                 "1.2.3",
                                 "--1",
                                 "38512345.678901234567",
                                 "-.25e-1x",
                                 hugeDigits};
    for (const std::string& t : texts) {
        const std::string text = std::string("<") + t + ">";
        const double got = ReadNumber(text, 1, text.size() - 1);
        EXPECT_EQ(got, AtoF(t)) << t;
        EXPECT_EQ(std::signbit(got), std::signbit(AtoF(t))) << t;
    }
    EXPECT_EQ(ReadNumber("12345", 2, 99), 345.0);
    EXPECT_EQ(ReadNumber("12345", 9, 2), 0.0);
}

}  // namespace
}  // namespace vm
