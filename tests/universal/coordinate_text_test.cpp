#include <gtest/gtest.h>

#include <string>

#include "common/number.h"
#include "universal/coordinate_text.h"

namespace vm {
namespace {

// Coordinates are written by the fixed-point printing the number tests check
// against printf (tests/instrument/target_layout_test).
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
