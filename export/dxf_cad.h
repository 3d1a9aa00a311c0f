#pragma once
// The CAD-ready drawing: what the plain drawing holds, preceded by what R12
// readers outside a Chinese Windows system need to show it right:
//  - a HEADER naming the format (AC1009) and the code page of its texts
//    (ANSI_936, so labels read as GBK), with the drawing's extents;
//  - TABLES defining the line type CONTINUOUS, every layer the entities use
//    (and layer 0) and the text style STANDARD.
// The entities are the plain drawing's, byte for byte; labels must be GBK.

#include <string>
#include <vector>

#include "export/dxf_text.h"

namespace vm {

// The smallest and largest x, y and z of the points drawn.
struct DxfExtent {
    bool empty = true;
    DxfPoint lo, hi;
    void Add(double x, double y, double z);
};

// HEADER and TABLES, which precede the plain drawing's text.
std::string CadSections(const DxfExtent& extent);

std::string AssembleCadDxf(const std::vector<DxfPoint>& points);

}  // namespace vm
