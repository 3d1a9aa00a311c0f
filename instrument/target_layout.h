#pragma once
// The eleven target layouts of the coordinate conversions: one point line per
// point, and for some layouts a header with the point count.

#include <array>
#include <string>

namespace vm {

// Index of the layout combo box (0-10).
using TargetLayout = int;
constexpr int kTargetLayoutCount = 11;

// The combo box texts, at their indexes.
const std::array<const char*, kTargetLayoutCount>& TargetLayoutNames();

// The point's text in the layout, without the closing "\r\n"; "" for an index
// outside 0-10. sequence is the point's number in the output, from 1.
std::string FormatPointLine(const std::string& name, double x, double y, double z,
                            const std::string& code, TargetLayout layout, long long sequence);

// Appends FormatPointLine(...) and "\r\n" to out (the conversions' fast path).
void AppendPointLine(std::string& out, const std::string& name, double x, double y, double z,
                     const std::string& code, TargetLayout layout, long long sequence);

// The header written before the first point: the point count for index 4, the
// count and the last point's name for 7 and 8, "" for the others.
std::string LayoutHeader(TargetLayout layout, long long pointCount, const std::string& lastName);

}  // namespace vm
