#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "common/number.h"
#include "universal/coordinate_text.h"

namespace vm {
namespace {

std::string Printf3(double v) {
    char text[400];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

std::string Format(double v) {
    char text[kCoordinateTextSize];
    return std::string(text, FormatCoordinate(v, text));
}

TEST(CoordinateText, writesExactlyWhatPrintfWrites) {
    // Exact binary ties round to even; tiny negatives keep their sign.
    for (const double v : {0.0625, 0.1875, 2.0625, -0.0625, 0.0005, -0.0001, -0.0, 0.0, 1e15 + 0.5,
                           8.99e15, 9.1e15, 1e17, -1e300, 38512345.6785, 512.345, 0.9995}) {
        EXPECT_EQ(Format(v), Printf3(v)) << v;
    }
    // Any value against printf is the number fuzz target's job.
}

TEST(CoordinateText, readsEveryFieldAsAtofDoes) {
    for (const char* field :
         {"512.345", "-0.5", ".5", "5.", "-", ".", "", "  12.5", "+3", "1e3", "12.5m", "abc",
          "1.2.3", "--1", "38512345.678901234567", "00012", "-.25e-1x"}) {
        EXPECT_EQ(ReadCoordinate(field), AtoF(field)) << field;
    }
    const std::string hugeDigits(400, '9');
    EXPECT_EQ(ReadCoordinate(hugeDigits), AtoF(hugeDigits));
}

}  // namespace
}  // namespace vm
