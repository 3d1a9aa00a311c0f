#pragma once
// Draws the point preview's picture with GDI: white ground, points as blue
// squares, stations as red triangles, the picked point ringed in green, the
// labels that fit without overlapping, and the scale bar in the lower left.

#include "win/win32.h"

#include "export/point_grid.h"
#include "export/point_view_frame.h"

namespace vm::win32 {

struct PointPicture {
    const PointSet* set = nullptr;
    const PointGrid* grid = nullptr;
    PointViewFrame frame;
    long long selected = -1;
    bool names = true;
    bool codes = false;
    HFONT font = nullptr;
};

void DrawPointPicture(HDC dc, int width, int height, const PointPicture& picture);

}  // namespace vm::win32
