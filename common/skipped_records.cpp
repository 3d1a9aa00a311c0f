#include "common/skipped_records.h"

#include <cmath>

namespace vm {

bool IsUsableCoordinate(double metres) {
    return std::isfinite(metres) && std::fabs(metres) <= kMaxCoordinateMetres;
}

bool IsUsableAngle(double angle) {
    return std::isfinite(angle) && std::fabs(angle) <= kMaxAngle;
}

void SkippedRecords::Add(long long line, std::string_view record) {
    if (m_count++ == 0) {
        m_firstLine = line;
        m_first.assign(record.substr(0, 80));  // enough to find it in the file
    }
}

std::string SkippedRecords::Report() const {
    if (m_count == 0)
        return std::string();
    return "跳过 " + std::to_string(m_count) + " 个数值无效的记录，第一个在第 " +
           std::to_string(m_firstLine) + " 行：" + m_first;
}

}  // namespace vm
