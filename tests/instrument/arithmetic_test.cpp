#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/number.h"
#include "instrument/arithmetic.h"

namespace vm {
namespace {

constexpr double kRightAngle = 1.5707963;

TEST(Arithmetic, quarterCircleInEveryUnitUsesTheEightDigitPi) {
    EXPECT_NEAR(GonToRadians(100), kRightAngle, 1e-12);
    EXPECT_NEAR(MilToRadians(1600), kRightAngle, 1e-12);
    EXPECT_NEAR(DmsToRadians(90.0), kRightAngle, 1e-12);
    EXPECT_NEAR(AngleToRadians(90.0, "dms"), kRightAngle, 1e-12);
    EXPECT_NEAR(AngleToRadians(1600.0, "mil"), kRightAngle, 1e-12);
    EXPECT_NEAR(AngleToRadians(100.0, "gon"), kRightAngle, 1e-12);
    EXPECT_NEAR(AngleToRadians(100.0, ""), kRightAngle, 1e-12);
    EXPECT_NEAR(AngleToRadians(100.0, "D"), kRightAngle, 1e-12);
}

TEST(Arithmetic, dmsSplitsDegreesMinutesAndSeconds) {
    EXPECT_NEAR(DmsToRadians(45.5), 45.8333333333 / 180 * kPi, 1e-10);
    EXPECT_NEAR(DmsToRadians(45.5), 0.7999426, 1e-7);
    EXPECT_NEAR(DmsToRadians(10.30305), (10 + 30 / 60.0 + 30.5 / 3600) / 180 * kPi, 1e-12);
    // Not validated: 75 minutes and negative angles go through the same steps.
    EXPECT_NEAR(DmsToRadians(1.75), (1 + 75 / 60.0) / 180 * kPi, 1e-12);
    EXPECT_NEAR(DmsToRadians(-45.5), -DmsToRadians(45.5), 1e-15);
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

TEST(Arithmetic, slopeReductionGivesHorizontalDistanceAndHeight) {
    const double z90 = DmsToRadians(90.0);
    EXPECT_NEAR(HorizontalComponent(100.0, z90), 100.0, 1e-6);
    EXPECT_NEAR(VerticalComponent(100.0, z90), 0.0, 1e-4);
    const double z60 = DmsToRadians(60.0);
    EXPECT_NEAR(HorizontalComponent(100.0, z60), 86.603, 5e-4);
    EXPECT_NEAR(VerticalComponent(100.0, z60), 50.0, 5e-4);
    // Beyond the half circle the horizontal distance stays positive; below the
    // horizon the height difference is negative.
    const double z240 = DmsToRadians(240.0);
    EXPECT_NEAR(HorizontalComponent(100.0, z240), 86.603, 5e-4);
    EXPECT_LT(VerticalComponent(100.0, DmsToRadians(120.0)), 0.0);
}

}  // namespace
}  // namespace vm
