#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/number.h"
#include "instrument/arithmetic.h"

namespace vm {
namespace {

constexpr double kRightAngle = 1.5707963;  // the instruments' eight-digit pi over two

TEST(Arithmetic, anglesInEveryUnitAndSlopeReduction) {
    const struct {
        double value;
        const char* unit;
        double radians;
    } angles[] = {
        {100, "gon", kRightAngle},
        {1600, "mil", kRightAngle},
        {90, "dms", kRightAngle},
        {100, "", kRightAngle},  // no or unknown unit: gon
        {100, "D", kRightAngle},
        {10.30305, "dms", (10 + 30 / 60.0 + 30.5 / 3600) / 180 * kPi},
        {1.75, "dms", (1 + 75 / 60.0) / 180 * kPi},     // 75 minutes are not refused
        {-45.5, "dms", -(45 + 50 / 60.0) / 180 * kPi},  // 45 degrees 50 minutes
    };
    for (const auto& a : angles)
        EXPECT_NEAR(AngleToRadians(a.value, a.unit), a.radians, 1e-12) << a.value << a.unit;

    // Horizontal distance stays positive beyond the half circle; height goes
    // negative below the horizon.
    EXPECT_NEAR(HorizontalComponent(100.0, DmsToRadians(90.0)), 100.0, 1e-6);
    EXPECT_NEAR(VerticalComponent(100.0, DmsToRadians(60.0)), 50.0, 5e-4);
    EXPECT_NEAR(HorizontalComponent(100.0, DmsToRadians(240.0)), 86.603, 5e-4);
    EXPECT_LT(VerticalComponent(100.0, DmsToRadians(120.0)), 0.0);
}

// Stored angles are decimal text times 0.0001; a double rarely holds the product
// exactly. Every whole-second angle of the circle must keep its minutes and
// seconds (a plain truncation turns 123 45 00 into 123 44 99.99).
TEST(Arithmetic, everyWholeSecondAngleKeepsItsMinutesAndSeconds) {
    int wrong = 0;
    for (int d = 0; d < 360; ++d) {
        for (int m = 0; m < 60; ++m) {
            for (int s = 0; s < 60; ++s) {
                const long stored = d * 10000L + m * 100L + s;
                const double x = ScaleAngle(AtoF(std::to_string(stored)), "dms");
                const double expected = (d + m / 60.0 + s / 3600.0) / 180.0 * kPi;
                if (std::fabs(DmsToRadians(x) - expected) > 1e-11 && ++wrong < 5) {
                    ADD_FAILURE() << d << " " << m << " " << s;
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace vm
