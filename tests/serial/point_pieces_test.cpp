#include <gtest/gtest.h>

#include <cstdio>

#include "serial/point_pieces.h"

namespace vm {
namespace {

TEST(SplitPointLine, sendsNameAndCoordinatesInWholeMillimetres) {
    PointPieces p = SplitPointLine("PT7,100.25,200.5,-3.0009,TREE");
    ASSERT_TRUE(p.converted);
    EXPECT_EQ(p.first, "PT7,100250,");
    EXPECT_EQ(p.second, "200500,");
    EXPECT_EQ(p.third, "-3000,TREE");

    p = SplitPointLine("PT7,100.25,200.5,-3.0009");
    EXPECT_EQ(p.third, "-3000,") << "without a code the Z piece still ends in a comma";

    // A code holding a comma: everything after the fourth comma goes out unchanged.
    p = SplitPointLine("P1,1,2,3,TREE,OAK");
    EXPECT_EQ(p.third, "3000,TREE,OAK");
}

TEST(SplitPointLine, aLineWithoutACommaIsNotConverted) {
    EXPECT_FALSE(SplitPointLine("HEADER 12.5").converted);
    EXPECT_FALSE(SplitPointLine("").converted);
}

TEST(SplitPointLine, textAfterANumberUpToTheNextCommaIsIgnored) {
    const PointPieces p = SplitPointLine("A, 12.5m ,x7,  -0.5e1 trailing");
    EXPECT_EQ(p.first, "A,12500,");
    EXPECT_EQ(p.second, "0,");
    EXPECT_EQ(p.third, "-5000,");
}

TEST(SplitPointLine, aShortLineSearchesAgainFromTheStart) {
    // One comma only: the second search fails, so the third starts over at the
    // first comma and the name's leading digits become the Y value.
    const PointPieces p = SplitPointLine("12,5");
    EXPECT_EQ(p.first, "12,0,");
    EXPECT_EQ(p.second, "1000,");
    EXPECT_EQ(p.third, "5000,");
}

TEST(WholeMillimetres, truncatesSubMillimetreFractionsTowardZero) {
    EXPECT_EQ(WholeMillimetres("-0.0005"), 0);
    EXPECT_EQ(WholeMillimetres("-1.2345"), -1234);
    EXPECT_EQ(WholeMillimetres("0.9999"), 999);
    EXPECT_EQ(WholeMillimetres("abc"), 0);
    EXPECT_EQ(WholeMillimetres("-"), 0);
    EXPECT_EQ(WholeMillimetres("."), 0);
    EXPECT_EQ(WholeMillimetres(".5"), 500);
    EXPECT_EQ(WholeMillimetres("7."), 7000);
    EXPECT_EQ(WholeMillimetres("1e"), 1000) << "an exponent without digits is not part of it";
    EXPECT_EQ(WholeMillimetres("\t+2.5E-2x"), 25);
}

TEST(WholeMillimetres, exactDecimalMillimetresAreNeverOneLow) {
    // Binary doubles hold most of these a hair below their decimal value, so a
    // multiply-and-truncate gives one millimetre less (4.35 -> 4349).
    for (int mm = -200000; mm <= 200000; mm += 7) {
        char text[32];
        std::snprintf(text, sizeof text, "%s%d.%03d", mm < 0 ? "-" : "", std::abs(mm) / 1000,
                      std::abs(mm) % 1000);
        ASSERT_EQ(WholeMillimetres(text), mm) << text;
    }
    EXPECT_EQ(WholeMillimetres("4.35"), 4350);
    EXPECT_EQ(WholeMillimetres("1.001"), 1001);
}

TEST(WholeMillimetres, gridCoordinatesWithTheZoneInFrontDoNotOverflow) {
    EXPECT_EQ(WholeMillimetres("38500000.123"), 38500000123LL);
    EXPECT_EQ(WholeMillimetres("2147483.648"), 2147483648LL);
    EXPECT_EQ(SplitPointLine("P,38512345.678,4123456.789,52.1").first, "P,38512345678,");
    EXPECT_EQ(WholeMillimetres("9e99"), INT64_MAX);
    EXPECT_EQ(WholeMillimetres("-9e99"), INT64_MIN);
}

}  // namespace
}  // namespace vm
