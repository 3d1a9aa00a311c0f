#pragma once
// The points a file holds, for looking at them before they are exported: which
// lines are points (and which are not), each point's name, north, east, height
// and code, the instrument's station points marked apart, and the extent.
//
// X is the north coordinate, Y the east coordinate, Z the height, as the DXF
// export draws them, in metres. The instrument's coordinate lines and the
// "XYZ" records of a measurement file hold thousandths and are scaled as the
// conversions scale them; layout records are taken as they stand.

#include <cstddef>
#include <string>
#include <vector>

#include "universal/layout_settings.h"

namespace vm {

enum class PointFileKind {
    Auto,         // a measurement file when its records say so, else a coordinate file
    Coordinates,  // the instrument's "name,X,Y,Z,code" in thousandths: at least four commas
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

// The unit of every coordinate of a point set, named on the preview's scale bar.
inline constexpr const char* kPointUnit = "米";

// "点数: 12  范围: X 300.000 – 400.000 米, Y 100.000 – 200.000 米" style summary.
std::string PointSetSummary(const PointSet& set);

}  // namespace vm
