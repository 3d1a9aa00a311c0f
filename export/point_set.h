#pragma once
// The points a file holds, for looking at them before they are exported: which
// lines are points (and which are not), each point's name, north, east, height
// and code, the instrument's station points marked apart, and the extent.
//
// X is the north coordinate, Y the east coordinate, Z the height, as the DXF
// export draws them. Coordinate lines and layout records are taken as they
// stand; "XYZ" records of a measurement file hold thousandths and are scaled
// to the distance unit, as the coordinate conversion writes them.

#include <cstddef>
#include <string>
#include <vector>

#include "universal/layout_settings.h"

namespace vm {

enum class PointFileKind {
    Auto,         // a measurement file when its records say so, else a coordinate file
    Coordinates,  // "name,X,Y,Z,code": at least four commas
    Measurement,  // "XYZ" records, named by the line before them
    Layout,       // a file in a universal-conversion layout
};

// Where the items of a universal-conversion layout stand, and what separates them.
struct LayoutColumns {
    ColumnLayout columns;
    bool attributeEnabled = false;
    char separator = ',';
};

struct PreviewPoint {
    std::string name;
    std::string code;
    double north = 0;
    double east = 0;
    double height = 0;
    bool station = false;  // the instrument's occupied station ("XYZ" after "STN")
    size_t line = 0;       // 1-based line (piece) of the file it came from
};

// A line that holds no point: counted, and listed up to kMaxListedLines.
struct NonPointLine {
    size_t line = 0;
    std::string text;
};

struct PointExtent {
    double minEast = 0, maxEast = 0, minNorth = 0, maxNorth = 0;
    bool empty = true;
    void Add(double east, double north);
};

struct PointSet {
    PointFileKind kind = PointFileKind::Coordinates;  // the kind actually read
    std::vector<PreviewPoint> points;
    std::vector<NonPointLine> otherLines;  // the first kMaxListedLines of them
    size_t otherLineCount = 0;             // blank lines not counted
    size_t stationCount = 0;
    PointExtent extent;
};

inline constexpr size_t kMaxListedLines = 2000;

// Reads the points of bytes. layout is used only for PointFileKind::Layout.
PointSet ReadPointSet(const std::string& bytes, PointFileKind kind = PointFileKind::Auto,
                      const LayoutColumns& layout = LayoutColumns());

// "点数: 12  范围: 东 100.000 – 200.000, 北 300.000 – 400.000" style summary.
std::string PointSetSummary(const PointSet& set);

}  // namespace vm
