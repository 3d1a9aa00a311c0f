#pragma once
// A uniform grid over the points of a set, so a view draws only the points in
// sight and finds the point under the mouse without walking every point.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/point_set.h"

namespace vm {

class PointGrid {
public:
    explicit PointGrid(const std::vector<PreviewPoint>& points);

    // Calls visit(index) for every point with east in [east0, east1] and
    // north in [north0, north1].
    template <typename Visit>
    void ForEachIn(double east0, double north0, double east1, double north1, Visit visit) const;

    // The index of the point nearest to (east, north) within radius, or -1.
    long long Nearest(double east, double north, double radius) const;

private:
    int Column(double east) const;
    int Row(double north) const;

    const std::vector<PreviewPoint>& m_points;
    double m_east0 = 0, m_north0 = 0, m_cell = 1;
    int m_columns = 1, m_rows = 1;
    std::vector<std::uint32_t> m_cellStart;  // m_columns * m_rows + 1 offsets into m_order
    std::vector<std::uint32_t> m_order;      // point indexes, cell by cell
};

template <typename Visit>
void PointGrid::ForEachIn(double east0, double north0, double east1, double north1,
                          Visit visit) const {
    if (m_points.empty() || east1 < east0 || north1 < north0)
        return;
    const int c0 = Column(east0), c1 = Column(east1);
    const int r0 = Row(north0), r1 = Row(north1);
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const size_t cell = size_t(r) * size_t(m_columns) + size_t(c);
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const PreviewPoint& p = m_points[m_order[k]];
                if (p.east >= east0 && p.east <= east1 && p.north >= north0 && p.north <= north1)
                    visit(size_t(m_order[k]));
            }
        }
    }
}

}  // namespace vm
