#include "export/point_view_frame.h"

#include "common/code_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vm {

PointArea PreviewArea(const PointExtent& e) {
    PointArea area;
    const double width = std::max(e.maxEast - e.minEast, 1.0);
    const double height = std::max(e.maxNorth - e.minNorth, 1.0);
    // A span under a metre is widened about the points' middle, so they show centred.
    const double midEast = e.empty ? 0.5 : (e.minEast + e.maxEast) / 2;
    const double midNorth = e.empty ? 0.5 : (e.minNorth + e.maxNorth) / 2;
    area.minEast = midEast - width * 0.6;
    area.minNorth = midNorth - height * 0.6;
    area.width = width * 1.2;
    area.height = height * 1.2;
    return area;
}

PointViewFrame FitFrame(const PointArea& area, int width, int height) {
    PointViewFrame frame;
    const double w = std::max(width, 1), h = std::max(height, 1);
    frame.pixelsPerMetre = std::min(w / area.width, h / area.height);
    frame.leftEast = area.minEast + area.width / 2 - w / 2 / frame.pixelsPerMetre;
    frame.topNorth = area.minNorth + area.height / 2 + h / 2 / frame.pixelsPerMetre;
    return frame;
}

double ZoomedScale(double now, int steps, double areaSize, double most) {
    const double least = 20.0 / areaSize;
    return std::clamp(now * std::pow(kZoomStep, steps), least, std::max(least, most));
}

PointViewFrame ZoomFrame(const PointViewFrame& frame, const PointArea& area, int steps, double x,
                         double y) {
    const double east = frame.East(x), north = frame.North(y);
    PointViewFrame zoomed;
    zoomed.pixelsPerMetre =
        ZoomedScale(frame.pixelsPerMetre, steps, std::max(area.width, area.height));
    zoomed.leftEast = east - x / zoomed.pixelsPerMetre;
    zoomed.topNorth = north + y / zoomed.pixelsPerMetre;
    return zoomed;
}

PointViewFrame PanFrame(const PointViewFrame& frame, double dx, double dy) {
    PointViewFrame panned = frame;
    panned.leftEast -= dx / frame.pixelsPerMetre;
    panned.topNorth += dy / frame.pixelsPerMetre;
    return panned;
}

double RoundScaleLength(double maxLength) {
    if (!(maxLength > 0) || !std::isfinite(maxLength))
        return 0;
    const double power = std::pow(10.0, std::floor(std::log10(maxLength)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= maxLength)
            return step * power;
    }
    return power;
}

std::string ScaleBarCaption(double length) {
    char text[40];
    std::snprintf(text, sizeof text, "%.12g", length);
    return std::string(text) + " " + kPointUnit;
}

double ScaleBarLength(double pixelsPerMetre) {
    return pixelsPerMetre > 0 ? RoundScaleLength(kScaleBarMaxPx / pixelsPerMetre) : 0;
}

std::string PointLabelText(const std::string& bytes) {
    return IsValidUtf8(bytes) ? bytes : GbkToUtf8(bytes);
}

std::vector<std::string> NonPointLineItems(const PointSet& set) {
    std::vector<std::string> items;
    items.reserve(set.otherLines.size() + 1);
    for (const NonPointLine& line : set.otherLines)
        items.push_back(std::to_string(line.line) + ": " + PointLabelText(line.text));
    if (set.otherLineCount > set.otherLines.size())
        items.push_back("……");
    return items;
}

std::string PickedPointText(const PreviewPoint& p) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "  X: %.3f  Y: %.3f  Z: %.3f", p.north, p.east,
                  p.height);
    std::string text =
        "点名: " + PointLabelText(p.name) + numbers + "  编码: " + PointLabelText(p.code);
    if (p.station)
        text += "  (测站)";
    return text;
}

}  // namespace vm
