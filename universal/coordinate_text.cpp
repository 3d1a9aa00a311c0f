#include "universal/coordinate_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "common/number.h"

namespace vm {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// v * 1000 is exact in a 64-bit-mantissa long double (53 + 7 bits), so rounding
// it to the nearest integer, ties to even, is what printf does with the exact
// binary value (in the default rounding mode, which the program never changes).
constexpr bool kExactThousandths = std::numeric_limits<long double>::digits >= 64;
constexpr double kFastLimit = 9.0e15;  // v * 1000 fits in 63 bits

size_t FormatThousandths(double value, char* out) {
    const long double scaled = std::fabs(static_cast<long double>(value)) * 1000.0L;
    uint64_t units = static_cast<uint64_t>(scaled);                         // truncation, exact
    const long double fraction = scaled - static_cast<long double>(units);  // exact too
    if (fraction > 0.5L || (fraction == 0.5L && units % 2 == 1))
        ++units;
    char* p = out;
    if (std::signbit(value))
        *p++ = '-';
    p = std::to_chars(p, p + 24, units / 1000).ptr;
    const unsigned thousandths = static_cast<unsigned>(units % 1000);
    *p++ = '.';
    *p++ = static_cast<char>('0' + thousandths / 100);
    *p++ = static_cast<char>('0' + thousandths / 10 % 10);
    *p++ = static_cast<char>('0' + thousandths % 10);
    return static_cast<size_t>(p - out);
}

}  // namespace

// Plain decimals ("-512.345") are by far the most common fields and are read
// directly; anything else (leading blanks, '+', an exponent, trailing text)
// takes the general reading. Both round correctly, so they agree.
double ReadCoordinate(std::string_view field) {
    size_t i = !field.empty() && field[0] == '-' ? 1 : 0;
    const size_t digitsStart = i;
    while (i < field.size() && IsDigit(field[i]))
        ++i;
    if (i < field.size() && field[i] == '.') {
        ++i;
        while (i < field.size() && IsDigit(field[i]))
            ++i;
    }
    const bool onlyPoint = i == digitsStart + 1 && field[digitsStart] == '.';
    if (i == field.size() && i > digitsStart && !onlyPoint) {
        double value = 0;
        const auto result = std::from_chars(field.data(), field.data() + i, value);
        if (result.ec == std::errc())
            return value;
    }
    return AtoF(std::string(field));
}

size_t FormatCoordinate(double value, char* out) {
    if (kExactThousandths && std::fabs(value) < kFastLimit)
        return FormatThousandths(value, out);
    const auto result =
        std::to_chars(out, out + kCoordinateTextSize, value, std::chars_format::fixed, 3);
    return static_cast<size_t>(result.ptr - out);
}

}  // namespace vm
