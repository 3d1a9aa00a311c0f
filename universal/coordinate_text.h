#pragma once
// Reading and writing the coordinates of the universal conversion: a field is
// read the way atof reads it and a result is written as printf's "%.3f" would
// write it, both fast enough for files of millions of records.

#include <cstddef>
#include <string_view>

#include "common/decimal_text.h"

namespace vm {

// The number at the start of field by the C library's rule (0 when none).
double ReadCoordinate(std::string_view field);

// Room for "%.3f" of any double.
constexpr size_t kCoordinateTextSize = kFixedTextSize;

// Writes value as "%.3f" into out (kCoordinateTextSize bytes); returns the length.
size_t FormatCoordinate(double value, char* out);

}  // namespace vm
