#pragma once
// The point preview leaves out a label that would overlap one drawn already,
// so crowded points stay readable. The view is cut into square cells of a few
// pixels; a label takes the cells its box touches.

#include <cstddef>
#include <vector>

namespace vm {

class LabelGrid {
public:
    // A grid over a view of width x height pixels.
    LabelGrid(int width, int height);
    // True, and the cells taken, when no cell of the box (right and bottom
    // included) is taken yet; false, and nothing taken, otherwise.
    bool Take(int left, int top, int right, int bottom);

private:
    int m_columns;
    int m_rows;
    std::vector<bool> m_taken;
};

// The order the labels are drawn in: the picked point first (the one the user
// looks for), then the visible points.
std::vector<size_t> LabelOrder(long long selected, size_t pointCount,
                               const std::vector<size_t>& visible);

}  // namespace vm
