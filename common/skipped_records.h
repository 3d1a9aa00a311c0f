#pragma once
// Values no surveyor could mean (not a number, infinite, or beyond what an
// output writes exactly) never reach a file or the instrument: the record that
// holds one is skipped and counted, and the user is told how many and which
// came first.

#include <string>
#include <string_view>

namespace vm {

// The largest coordinate, in metres, any output writes exactly (three decimals).
constexpr double kMaxCoordinateMetres = 1e10;

// The largest angle, in its unit, an output writes exactly (four decimals).
constexpr double kMaxAngle = 1e9;

// Finite and within ±kMaxCoordinateMetres (coordinates and distances).
bool IsUsableCoordinate(double metres);
// Finite and within ±kMaxAngle.
bool IsUsableAngle(double angle);

class SkippedRecords {
public:
    // Counts a record skipped on line (1-based) of the source.
    void Add(long long line, std::string_view record);

    long long Count() const { return m_count; }

    // "跳过 N 个数值无效的记录，第一个在第 L 行：RECORD", or "" when none was skipped.
    std::string Report() const;

private:
    long long m_count = 0;
    long long m_firstLine = 0;
    std::string m_first;
};

}  // namespace vm
