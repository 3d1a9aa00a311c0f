#pragma once
// The eleven target layouts of the coordinate conversions: one point line per
// point, and for some layouts a header with the point count.

#include <array>
#include <string>
#include <string_view>

#include "common/decimal_text.h"

namespace vm {

// Index of the layout combo box (0-10).
using TargetLayout = int;
constexpr int kTargetLayoutCount = 11;

// The combo box texts, at their indexes.
const std::array<const char*, kTargetLayoutCount>& TargetLayoutNames();

// The most a point line can take: a name and a code of a 99-byte piece, three
// coordinates of any size and a sequence number.
constexpr size_t kMaxPointLine = 2 * 99 + 3 * kFixedTextSize + 64;

// Writes the point's line in the layout and "\r\n" into out (kMaxPointLine
// bytes); returns the length. sequence is the point's number in the output,
// from 1. An index outside 0-10 writes the line end only. Names and codes
// longer than 99 bytes do not occur.
size_t WritePointLine(char* out, std::string_view name, double x, double y, double z,
                      std::string_view code, TargetLayout layout, long long sequence);

// The header written before the first point: the point count for index 4, the
// count and the last point's name for 7 and 8, "" for the others.
std::string LayoutHeader(TargetLayout layout, long long pointCount, const std::string& lastName);

}  // namespace vm
