#pragma once
// Number reading with the C library's text-to-number rules, independent of the
// process locale: leading white space skipped, the longest valid decimal prefix
// taken, 0 when no number starts. Hexadecimal, "inf" and "nan" are not numbers
// here, as in the instrument's files they never are.

#include <cstdint>
#include <string>

namespace vm {

double AtoF(const std::string& s);

// Like atoi: optional sign and leading decimal digits; saturates instead of overflowing.
long long AtoI(const std::string& s);

}  // namespace vm
