#pragma once
// The DXF drawing the exports write: one ENTITIES section holding, for every
// point, a POINT on layer "point" and a TEXT of height 0.2 on layer "PT#" at
// the same place showing the point's label. Lines end in LF alone, and the
// file ends with "EOF" without a line end.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct DxfPoint {
    double x = 0;  // group 10: the file's east value
    double y = 0;  // group 20: the file's north value
    double z = 0;
    std::string label;  // written unchanged (GBK bytes)
};

// "0\nSECTION\n2\nENTITIES\n0\n"
const std::string& DxfHead();
// "ENDSEC\n0\nEOF"
const std::string& DxfTail();

// A value as C's "%f" writes it in the "C" locale: fixed notation, six decimals,
// no thousands separators, whatever locale the desktop runs in.
std::string FormatDxfNumber(double value);

// The POINT and TEXT entities of one point, ended by the group code 0 that
// opens the next entity (or the ENDSEC).
std::string FormatDxfPoint(const DxfPoint& point);

// Room WriteDxfPoint needs for a label of labelSize bytes, whatever the numbers.
constexpr size_t DxfPointRoom(size_t labelSize) {
    return 2200 + labelSize;
}

// The same entities written into out (DxfPointRoom bytes); returns their length.
size_t WriteDxfPoint(char* out, std::string_view label, double x, double y, double z);

// Head, every point in order, tail.
std::string AssembleDxf(const std::vector<DxfPoint>& points);

}  // namespace vm
