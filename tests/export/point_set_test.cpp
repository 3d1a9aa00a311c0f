// The points a preview draws: which lines of each kind of file become points,
// what they hold, the station marking, the extent, and finding points through
// the grid, up to 100,000 points.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <random>

#include "export/point_grid.h"
#include "export/point_set.h"

namespace vm {
namespace {

struct Case {
    const char* name;
    std::string bytes;
    PointFileKind kind;
    PointFileKind read;
    std::vector<std::string> points;  // "name north east height code" of each point
    size_t others;
};

std::string Describe(const PreviewPoint& p) {
    char numbers[128];
    std::snprintf(numbers, sizeof numbers, " %.3f %.3f %.3f ", p.north, p.east, p.height);
    return p.name + numbers + p.code + (p.station ? " STN" : "");
}

TEST(PointSet, WhichLinesBecomePointsForEachKindOfFile) {
    LayoutColumns layout;  // space separated: number, Y, X, Z, code
    layout.separator = ' ';
    layout.columns = {0, 4, 2, 1, 3, 5};
    layout.attributeEnabled = true;
    const Case cases[] = {
        {"coordinate file in thousandths: header, blank and short lines are not points",
         "Name,X,Y,Z,Code\r\nP1,100500,200250,3000,TREE,OLD\r\n\r\nP2,1,2,3\r\nP3,-7000,8000,,\r\n",
         PointFileKind::Auto,
         PointFileKind::Coordinates,
         {"P1 100.500 200.250 3.000 TREE,OLD", "P3 -7.000 8.000 0.000 "},
         2},
        {"overflowing and non-numeric coordinates are listed, not drawn",
         "A,1e999,1,1,\r\nB,x1,1,1,\r\nC,500,-500,1e999,c\r\n",
         PointFileKind::Coordinates,
         PointFileKind::Coordinates,
         {"C 0.500 -0.500 0.000 c"},
         2},
        {"measurement file: XYZ named by the line before, the station marked",
         "UNITS m,d\r\nATMOS 20,1013\r\nSTN S1,1.5,BASE\r\nXYZ 1000,2000,30\r\n"
         "SS P1,1.5,TREE \r\nXYZ 1100,2100,31\r\nBKB B1,0,0\r\nXYZ 1200,2200,32\r\n"
         "XYZ 1300,2300,33\r\nHD 1,2,3\r\n",
         PointFileKind::Auto,
         PointFileKind::Measurement,
         {"S1 1.000 2.000 0.030  STN", "P1 1.100 2.100 0.031 TREE", "B1 1.200 2.200 0.032 ",
          "1200 1.300 2.300 0.033 "},
         6},
        {"XYZ records without an ATMOS line still make a measurement file",
         "SS A,1,K\r\nXYZ 5000,6000,7000\r\nxyz 1,2,3\r\nXYZ\r\n",
         PointFileKind::Auto,
         PointFileKind::Measurement,
         {"A 5.000 6.000 7.000 K"},
         3},
        {"universal target layout",
         "12 502.1 512.345 45.6 K3\r\n7 1 2\r\n0\r\n",
         PointFileKind::Layout,
         PointFileKind::Layout,
         {"12 512.345 502.100 45.600 K3", "7 2.000 1.000 0.000 "},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PointSet set = ReadPointSet(c.bytes, c.kind, layout);
        EXPECT_EQ(set.kind, c.read);
        std::vector<std::string> got;
        for (const PreviewPoint& p : set.points)
            got.push_back(Describe(p));
        EXPECT_EQ(got, c.points);
        EXPECT_EQ(set.otherLineCount, c.others);
    }
}

TEST(PointSet, ExtentStationsSummaryAndTheListOfOtherLines) {
    std::string bytes = "STN S,1,\r\nXYZ -5000,10000,0\r\nSS A,1,\r\nXYZ 20000,-3000,1\r\n";
    for (size_t i = 0; i < kMaxListedLines + 5; ++i)
        bytes += "HV 1,2\r\n";
    const PointSet set = ReadPointSet(bytes);
    EXPECT_EQ(set.stationCount, 1u);
    EXPECT_EQ(set.extent.minNorth, -5);
    EXPECT_EQ(set.extent.maxNorth, 20);
    EXPECT_EQ(set.extent.minEast, -3);
    EXPECT_EQ(set.extent.maxEast, 10);
    EXPECT_EQ(set.otherLineCount, kMaxListedLines + 7);
    EXPECT_EQ(set.otherLines.size(), kMaxListedLines);
    EXPECT_EQ(set.otherLines[0].line, 1u);
    EXPECT_EQ(set.otherLines[0].text, "STN S,1,");
    EXPECT_EQ(PointSetSummary(set),
              "点数: 2 (测站 1)  范围: X -5.000 – 20.000 米, Y -3.000 – 10.000 米  非点行: 2007");
    EXPECT_TRUE(ReadPointSet("").extent.empty);
}

// 100,000 points on a grid survey: read, indexed, and every point found again
// by a pick at its own place; a window query returns exactly the points inside.
TEST(PointGrid, HundredThousandPointsAreReadIndexedAndPicked) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> north(3500000, 3502000), east(500000, 503000);
    std::string bytes;
    for (int i = 0; i < 100000; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "P%d,%.0f,%.0f,%d,C\r\n", i, north(rng) * 1000,
                      east(rng) * 1000, 10000 + i % 50);
        bytes += line;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    const PointSet set = ReadPointSet(bytes);
    const PointGrid grid(set.points);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("[ timing ] 100000 points read and indexed in %lld ms (%ld ms of CPU)\n",
                static_cast<long long>(ms), long((std::clock() - cpu) * 1000 / CLOCKS_PER_SEC));
    ASSERT_EQ(set.points.size(), 100000u);

    for (size_t i = 0; i < set.points.size(); i += 997) {
        const PreviewPoint& p = set.points[i];
        const long long found = grid.Nearest(p.east, p.north, 0.0005);
        ASSERT_GE(found, 0);
        EXPECT_EQ(set.points[size_t(found)].east, p.east);
        EXPECT_EQ(set.points[size_t(found)].north, p.north);
    }
    EXPECT_EQ(grid.Nearest(0, 0, 100), -1);

    size_t inside = 0, visited = 0;
    for (const PreviewPoint& p : set.points)
        inside += p.east >= 501000 && p.east <= 501500 && p.north >= 3500500 && p.north <= 3501000;
    grid.ForEachIn(501000, 3500500, 501500, 3501000, [&](size_t) { ++visited; });
    EXPECT_EQ(visited, inside);
}

}  // namespace
}  // namespace vm
