#include "export/point_grid.h"

#include <algorithm>
#include <cmath>

namespace vm {
namespace {

constexpr double kPointsPerCell = 4;
constexpr int kMaxCellsPerSide = 1024;

}  // namespace

PointGrid::PointGrid(const std::vector<PreviewPoint>& points) : m_points(points) {
    PointExtent extent;
    for (const PreviewPoint& p : points)
        extent.Add(p.east, p.north);
    m_east0 = extent.minEast;
    m_north0 = extent.minNorth;
    const double width = extent.maxEast - extent.minEast;
    const double height = extent.maxNorth - extent.minNorth;
    const double side = std::max(width, height);
    const int cells = std::clamp(int(std::ceil(std::sqrt(double(points.size()) / kPointsPerCell))),
                                 1, kMaxCellsPerSide);
    m_cell = side > 0 ? side / cells : 1;
    m_columns = std::max(1, std::min(cells, int(width / m_cell) + 1));
    m_rows = std::max(1, std::min(cells, int(height / m_cell) + 1));

    // Counting sort of the points by cell.
    std::vector<std::uint32_t> cellOf(points.size());
    m_cellStart.assign(size_t(m_columns) * size_t(m_rows) + 1, 0);
    for (size_t i = 0; i < points.size(); ++i) {
        cellOf[i] = std::uint32_t(Row(points[i].north) * m_columns + Column(points[i].east));
        ++m_cellStart[cellOf[i] + 1];
    }
    for (size_t c = 1; c < m_cellStart.size(); ++c)
        m_cellStart[c] += m_cellStart[c - 1];
    std::vector<std::uint32_t> next(m_cellStart.begin(), m_cellStart.end() - 1);
    m_order.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        m_order[next[cellOf[i]]++] = std::uint32_t(i);
}

int PointGrid::Column(double east) const {
    const double c = std::floor((east - m_east0) / m_cell);
    return int(std::clamp(c, 0.0, double(m_columns - 1)));
}

int PointGrid::Row(double north) const {
    const double r = std::floor((north - m_north0) / m_cell);
    return int(std::clamp(r, 0.0, double(m_rows - 1)));
}

long long PointGrid::Nearest(double east, double north, double radius) const {
    long long best = -1;
    double bestDistance = radius * radius;
    ForEachIn(east - radius, north - radius, east + radius, north + radius, [&](size_t i) {
        const double de = m_points[i].east - east;
        const double dn = m_points[i].north - north;
        const double d = de * de + dn * dn;
        if (d <= bestDistance) {
            bestDistance = d;
            best = static_cast<long long>(i);
        }
    });
    return best;
}

}  // namespace vm
