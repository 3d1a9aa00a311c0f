#pragma once
// Fast number reading and printing for the conversions, which handle millions
// of fields: results are exactly those of the C library's text-to-double rule
// and of "%.3f" / "%.4f", without a temporary string per field.

#include <cstddef>
#include <string>

namespace vm {

// The number that text[begin, end) starts with, read like AtoF (0 when none).
double ReadNumber(const std::string& text, size_t begin, size_t end);

// Appends value as printf's "%.<decimals>f" would print it.
void AppendFixed(std::string& out, double value, int decimals);

}  // namespace vm
