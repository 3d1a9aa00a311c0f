#pragma once
// Number reading and printing at the speed of the conversions' walk, on ranges
// of the source: a number is read exactly as AtoF reads it, and printed exactly
// as printf's "%.<decimals>f" prints it.

#include <cstddef>
#include <string_view>

namespace vm {

// The number that text starts with, by the C library's rule (0 when none).
double ReadDecimal(std::string_view text);

// Room for "%.<decimals>f" of any double with up to 17 decimals.
constexpr size_t kFixedTextSize = 340;

// Writes value as "%.<decimals>f" into out (kFixedTextSize bytes); returns the length.
size_t FormatFixed(double value, int decimals, char* out);

}  // namespace vm
