#include "common/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "common/number.h"

namespace vm {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The decimal number at the start of s (after the sign): digits, an optional
// point with digits, an exponent only when digits follow its 'e'. Returns its
// length, 0 when it holds no digit.
size_t UnsignedPrefixLength(std::string_view s) {
    size_t i = 0;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// Writes units / 10^decimals with its decimals, the sign first when negative.
char* PutUnits(char* p, bool negative, uint64_t units, int decimals, uint64_t unit) {
    if (negative)
        *p++ = '-';  // printf keeps the sign: -0.0001 is "-0.000"
    p = std::to_chars(p, p + 24, units / unit).ptr;
    *p++ = '.';
    uint64_t fraction = units % unit;
    for (int i = decimals - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return p + decimals;
}

// printf rounds the exact binary value to the nearest, ties to even. The
// product |value| x 10^decimals in double precision lies within
// product x 2^-53 of the exact one, so whenever its fraction is further than
// twice that from a half, the nearest integer of the exact product is the one
// it shows. Otherwise the product is taken again in long double: 10^3 and 10^4
// are a power of two times 125 or 625 (below 2^10), so the product of a 53-bit
// mantissa fits in the 64 bits of a long double mantissa, exactly.
bool FormatScaled(double value, int decimals, char*& p) {
    static constexpr double kScale[] = {1000.0, 10000.0};
    static constexpr uint64_t kUnit[] = {1000, 10000};
    if (decimals != 3 && decimals != 4)
        return false;
    const int k = decimals - 3;
    const double magnitude = std::fabs(value);
    const double scaled = magnitude * kScale[k];
    if (!(scaled < 0x1p52))
        return false;
    uint64_t units = static_cast<uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(units);  // exact
    const double margin = scaled * 0x1p-51;
    if (std::fabs(fraction - 0.5) > margin) {
        units += fraction > 0.5 ? 1 : 0;
    } else if (std::numeric_limits<long double>::digits >= 64) {
        const long double exact = static_cast<long double>(magnitude) * kScale[k];
        units = static_cast<uint64_t>(exact);
        const long double rest = exact - static_cast<long double>(units);
        if (rest > 0.5L || (rest == 0.5L && units % 2 == 1))
            ++units;
    } else {
        return false;
    }
    p = PutUnits(p, std::signbit(value), units, decimals, kUnit[k]);
    return true;
}

}  // namespace

double ReadDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::string_view rest = text.substr(i);
    // Whole numbers of up to 15 digits, what the instrument writes, are exact
    // in a double and read directly.
    uint64_t whole = 0;
    size_t k = 0;
    while (k < rest.size() && k < 15 && IsDigit(rest[k]))
        whole = whole * 10 + static_cast<uint64_t>(rest[k++] - '0');
    if (k > 0 && (k == rest.size() ||
                  (!IsDigit(rest[k]) && rest[k] != '.' && rest[k] != 'e' && rest[k] != 'E'))) {
        const double magnitude = static_cast<double>(whole);
        return negative ? -magnitude : magnitude;
    }
    // Up to 15 digits with a point and no exponent: the digits as a whole
    // number and the power of ten are both exact, so one division rounds
    // correctly, as the general reading does.
    static constexpr double kPowers[] = {1,   10,  100,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (k < rest.size() && rest[k] == '.') {
        size_t f = k + 1;
        while (f < rest.size() && f - 1 < 15 && IsDigit(rest[f]))
            whole = whole * 10 + static_cast<uint64_t>(rest[f++] - '0');
        const size_t decimals = f - k - 1;
        const bool ends =
            f == rest.size() || (!IsDigit(rest[f]) && rest[f] != 'e' && rest[f] != 'E');
        if (ends && k + decimals > 0) {
            const double magnitude = static_cast<double>(whole) / kPowers[decimals];
            return negative ? -magnitude : magnitude;
        }
    }
    const size_t length = UnsignedPrefixLength(rest);
    if (length == 0)
        return 0.0;
    double value = 0;
    const auto result = std::from_chars(rest.data(), rest.data() + length, value);
    if (result.ec != std::errc() || result.ptr != rest.data() + length)
        return AtoF(std::string(text));  // out of range: the C library's answer
    return negative ? -value : value;
}

size_t FormatFixed(double value, int decimals, char* out) {
    char* p = out;
    if (FormatScaled(value, decimals, p))
        return static_cast<size_t>(p - out);
    if (std::isfinite(value) && decimals >= 0 && decimals <= 17) {
        const auto result =
            std::to_chars(out, out + kFixedTextSize, value, std::chars_format::fixed, decimals);
        if (result.ec == std::errc())
            return static_cast<size_t>(result.ptr - out);
    }
    const int n = std::snprintf(out, kFixedTextSize, "%.*f", decimals, value);
    return n > 0 ? std::min(static_cast<size_t>(n), kFixedTextSize - 1) : 0;
}

}  // namespace vm
