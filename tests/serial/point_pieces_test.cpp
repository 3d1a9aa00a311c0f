// How a coordinate line is cut into the three pieces the instrument takes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "serial/point_pieces.h"

namespace vm {
namespace {

TEST(SplitPointLine, piecesOfTheLineShapesFoundInFiles) {
    struct Row {
        const char* line;
        const char *first, *second, *third;
    } rows[] = {
        {"PT7,100.25,200.5,-3.0009", "PT7,100250,", "200500,", "-3000,"},  // no code: still a comma
        {"P1,1,2,3,TREE,OAK", "P1,1000,", "2000,", "3000,TREE,OAK"},       // a code holding a comma
        // Text after a number up to the next comma is ignored.
        {"A, 12.5m ,x7,  -0.5e1 trailing", "A,12500,", "0,", "-5000,"},
        // One comma only: the second search fails, so the third starts over at
        // the first comma and the name's leading digits become the Y value.
        {"12,5", "12,0,", "1000,", "5000,"},
        // Grid coordinates with the zone in front need more than 32 bits.
        {"P,38512345.678,4123456.789,52.1", "P,38512345678,", "4123456789,", "52100,"},
    };
    for (const Row& r : rows) {
        const PointPieces p = SplitPointLine(r.line);
        EXPECT_TRUE(p.converted) << r.line;
        EXPECT_EQ(p.first, r.first) << r.line;
        EXPECT_EQ(p.second, r.second) << r.line;
        EXPECT_EQ(p.third, r.third) << r.line;
    }
    EXPECT_FALSE(SplitPointLine("HEADER 12.5").converted);
    EXPECT_FALSE(SplitPointLine("").converted);
}

TEST(WholeMillimetres, takesTheLeadingNumberAndTruncatesTowardZero) {
    // "1e": an exponent without digits is not part of the number.
    const std::pair<const char*, long long> rows[] = {
        {"-0.0005", 0}, {"-1.2345", -1234}, {"0.9999", 999}, {"abc", 0},
        {"-", 0},       {".", 0},           {".5", 500},     {"7.", 7000},
        {"1e", 1000},   {"\t+2.5E-2x", 25}, {"4.35", 4350},  {"1.001", 1001},
    };
    for (const auto& [text, mm] : rows)
        EXPECT_EQ(WholeMillimetres(text), mm) << text;
    // Beyond 32 bits (grid coordinates with the zone in front), and saturating.
    EXPECT_EQ(WholeMillimetres("2147483.648"), 2147483648LL);
    EXPECT_EQ(WholeMillimetres("9e99"), INT64_MAX);
    EXPECT_EQ(WholeMillimetres("-9e99"), INT64_MIN);
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
}

}  // namespace
}  // namespace vm
