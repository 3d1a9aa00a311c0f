#include "export/label_grid.h"

#include <algorithm>

namespace vm {
namespace {

constexpr int kLabelCell = 6;  // pixels of a cell

}  // namespace

LabelGrid::LabelGrid(int width, int height)
    : m_columns(std::max(0, width) / kLabelCell + 1),
      m_rows(std::max(0, height) / kLabelCell + 1),
      m_taken(size_t(m_columns) * size_t(m_rows), false) {}

bool LabelGrid::Take(int left, int top, int right, int bottom) {
    const int c0 = std::max(0, left / kLabelCell), c1 = std::min(m_columns - 1, right / kLabelCell);
    const int r0 = std::max(0, top / kLabelCell), r1 = std::min(m_rows - 1, bottom / kLabelCell);
    auto cell = [this](int r, int c) -> std::vector<bool>::reference {
        return m_taken[size_t(r) * size_t(m_columns) + size_t(c)];
    };
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (cell(r, c))
                return false;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            cell(r, c) = true;
    return true;
}

std::vector<size_t> LabelOrder(long long selected, size_t pointCount,
                               const std::vector<size_t>& visible) {
    std::vector<size_t> order;
    order.reserve(visible.size() + 1);
    if (selected >= 0 && size_t(selected) < pointCount)
        order.push_back(size_t(selected));
    order.insert(order.end(), visible.begin(), visible.end());
    return order;
}

}  // namespace vm
