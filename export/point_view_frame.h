#pragma once
// What the point preview shows, apart from drawing it: the area around the
// points, the frame that maps metres to window pixels (全图, wheel zoom about
// the mouse, drag to pan), the scale bar and the picked point's line.

#include <string>
#include <vector>

#include "export/point_set.h"

namespace vm {

// The ids of the preview window's controls.
enum PointPreviewControl {
    kPreviewOpenId = 2101,
    kPreviewFitId = 2102,
    kPreviewNamesId = 2103,
    kPreviewCodesId = 2104,
    kPreviewExportId = 2105,
    kPreviewViewId = 2106,
    kPreviewSummaryId = 2107,
    kPreviewPickedId = 2108,
    kPreviewOtherLinesId = 2109,
};

inline constexpr const char* kPreviewTitle = "预览";
// The source named in the title when the text pane's points are shown.
inline constexpr const char* kPanePreviewSource = "文本窗口";
inline constexpr const char* kPickHint = "单击一个点查看点名、X、Y、Z和编码";
inline constexpr const char* kPngFilter = "PNG(*.png)|*.png|";
inline constexpr const char* kPngWriteFailed = "无法保存图片：";
inline constexpr int kScaleBarMaxPx = 120;  // the scale bar is never longer
inline constexpr double kPickRadiusPx = 8;
inline constexpr double kZoomStep = 1.25;  // one wheel notch

// The area shown by 全图, in metres: the points with a tenth of their size
// around them; a single point or a line of points still gets 1 m to show.
struct PointArea {
    double minEast = 0, minNorth = 0, width = 1, height = 1;
};
PointArea PreviewArea(const PointExtent& extent);

// Metres to pixels: east grows to the right, north upwards.
struct PointViewFrame {
    double pixelsPerMetre = 1;
    double leftEast = 0, topNorth = 0;  // the metres at pixel (0, 0)

    double X(double east) const { return (east - leftEast) * pixelsPerMetre; }
    double Y(double north) const { return (topNorth - north) * pixelsPerMetre; }
    double East(double x) const { return leftEast + x / pixelsPerMetre; }
    double North(double y) const { return topNorth - y / pixelsPerMetre; }
};

// The frame that shows all of area in a width × height window, centred.
PointViewFrame FitFrame(const PointArea& area, int width, int height);
// steps wheel notches in (> 0) or out about pixel (x, y), which keeps its
// metres. Bounded: out until the area fills 20 pixels, in to 10^5 pixels a metre.
PointViewFrame ZoomFrame(const PointViewFrame& frame, const PointArea& area, int steps, double x,
                         double y);
// The new pixels per metre for steps notches from now, within the bounds above.
double ZoomedScale(double now, int steps, double areaSize, double most = 1e5);
// The picture moved by (dx, dy) pixels.
PointViewFrame PanFrame(const PointViewFrame& frame, double dx, double dy);

// A round length (1, 2 or 5 × 10^k) not longer than maxLength.
double RoundScaleLength(double maxLength);
// The scale bar's caption: the length and its unit ("50 米").
std::string ScaleBarCaption(double length);
// The scale bar's length in metres at pixelsPerMetre.
double ScaleBarLength(double pixelsPerMetre);

// Names and codes come from the instrument as GBK, or as UTF-8 from files made
// elsewhere; this gives UTF-8.
std::string PointLabelText(const std::string& bytes);
// The list of the lines that are not points: "12: text", and "……" when
// there are more than are listed.
std::vector<std::string> NonPointLineItems(const PointSet& set);
inline constexpr const char* kNonPointLinesTip = "不是点的行（未绘出）";
// "点名: S1  X: 1050.000  Y: 5050.000  Z: 50.500  编码:   (测站)".
std::string PickedPointText(const PreviewPoint& point);

}  // namespace vm
