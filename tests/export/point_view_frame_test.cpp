// The preview's frame: 全图 shows the whole area centred, the wheel zooms
// about the mouse within bounds, a drag pans, and the scale bar and the picked
// point's line read right.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "export/point_view_frame.h"

namespace vm {
namespace {

PointExtent Extent(double e0, double n0, double e1, double n1) {
    PointExtent e;
    e.Add(e0, n0);
    e.Add(e1, n1);
    return e;
}

TEST(PointViewFrameTest, fitShowsTheWholeAreaCentredNorthUp) {
    // 100 m east by 50 m north in 600 × 600 pixels: the width decides.
    const PointArea area = PreviewArea(Extent(5000, 1000, 5100, 1050));
    EXPECT_DOUBLE_EQ(area.width, 120);
    EXPECT_DOUBLE_EQ(area.height, 60);
    const PointViewFrame f = FitFrame(area, 600, 600);
    EXPECT_DOUBLE_EQ(f.pixelsPerMetre, 5);
    EXPECT_NEAR(f.X(4990), 0, 1e-9);
    EXPECT_NEAR(f.X(5110), 600, 1e-9);
    EXPECT_NEAR(f.Y(1025), 300, 1e-9) << "centred vertically";
    EXPECT_LT(f.Y(1050), f.Y(1000)) << "north is up";
    // A single point, points closer than a metre, and no point at all still give
    // an area and a finite frame; the points stand in its middle.
    for (const PointExtent& e : {Extent(7, 7, 7, 7), Extent(7, 7, 7.2, 7.4), PointExtent()}) {
        const PointViewFrame one = FitFrame(PreviewArea(e), 0, 0);
        EXPECT_TRUE(std::isfinite(one.pixelsPerMetre) && one.pixelsPerMetre > 0);
        const PointViewFrame fit = FitFrame(PreviewArea(e), 400, 400);
        const double east = e.empty ? 0.5 : (e.minEast + e.maxEast) / 2;
        const double north = e.empty ? 0.5 : (e.minNorth + e.maxNorth) / 2;
        EXPECT_NEAR(fit.X(east), 200, 1e-6);
        EXPECT_NEAR(fit.Y(north), 200, 1e-6);
    }
}

TEST(PointViewFrameTest, zoomKeepsThePointUnderTheMouseWithinBoundsAndPanMoves) {
    const PointArea area = PreviewArea(Extent(0, 0, 100, 100));
    const PointViewFrame f = FitFrame(area, 500, 500);
    const double east = f.East(123), north = f.North(321);
    const PointViewFrame in = ZoomFrame(f, area, 3, 123, 321);
    EXPECT_NEAR(in.pixelsPerMetre, f.pixelsPerMetre * std::pow(kZoomStep, 3), 1e-9);
    EXPECT_NEAR(in.X(east), 123, 1e-6);
    EXPECT_NEAR(in.Y(north), 321, 1e-6);
    EXPECT_DOUBLE_EQ(ZoomFrame(f, area, 1000, 0, 0).pixelsPerMetre, 1e5);
    EXPECT_DOUBLE_EQ(ZoomFrame(f, area, -1000, 0, 0).pixelsPerMetre, 20.0 / 120);
    const PointViewFrame panned = PanFrame(f, 40, -10);
    EXPECT_NEAR(panned.X(east), f.X(east) + 40, 1e-9);
    EXPECT_NEAR(panned.Y(north), f.Y(north) - 10, 1e-9);
}

TEST(PointViewFrameTest, scaleBarIsARoundLengthNamingTheUnit) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double max, want;
    } cases[] = {{0, 0}, {-3, 0}, {nan, 0}, {1, 1}, {7, 5}, {0.034, 0.02}, {199, 100}, {250, 200}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundScaleLength(c.max), c.want) << c.max;
    EXPECT_DOUBLE_EQ(ScaleBarLength(kScaleBarMaxPx / 73.0), 50);
    EXPECT_EQ(ScaleBarLength(0), 0);
    EXPECT_EQ(ScaleBarCaption(50), "50 米");
    EXPECT_EQ(ScaleBarCaption(0.02), "0.02 米");
}

TEST(PointViewFrameTest, pickedLineDecodesGbkNamesAndMarksStations) {
    PreviewPoint p;
    p.name = "\xd7\xf8\xb1\xea";  // 坐标 in GBK
    p.code = "树";
    p.north = 1050;
    p.east = 5050.5;
    p.height = -0.0004;
    EXPECT_EQ(PickedPointText(p), "点名: 坐标  X: 1050.000  Y: 5050.500  Z: -0.000  编码: 树");
    p.station = true;
    p.name = "S1";
    p.code.clear();
    EXPECT_EQ(PickedPointText(p), "点名: S1  X: 1050.000  Y: 5050.500  Z: -0.000  编码:   (测站)");
}

}  // namespace
}  // namespace vm
