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

// Multiplying by 10^3 or 10^4 (a power of two times 125 or 625, both below
// 2^10) leaves at most 63 significant bits: exact in the 64-bit mantissa of a
// long double. Rounding that exact product to an integer, ties to even, is what
// printf does with the binary value in the default rounding mode, which the
// program never changes.
constexpr bool kExactScaling = std::numeric_limits<long double>::digits >= 64;

bool FormatScaled(double value, int decimals, char*& p) {
    static constexpr long double kScale[] = {1000.0L, 10000.0L};
    static constexpr double kLimit[] = {9.0e15, 9.0e14};  // the product fits in 63 bits
    if (!kExactScaling || (decimals != 3 && decimals != 4))
        return false;
    const int k = decimals - 3;
    if (!(std::fabs(value) < kLimit[k]))
        return false;
    const long double scaled = std::fabs(static_cast<long double>(value)) * kScale[k];
    uint64_t units = static_cast<uint64_t>(scaled);
    const long double fraction = scaled - static_cast<long double>(units);
    if (fraction > 0.5L || (fraction == 0.5L && units % 2 == 1))
        ++units;
    const uint64_t unit = decimals == 3 ? 1000 : 10000;
    if (std::signbit(value))
        *p++ = '-';  // printf keeps the sign: -0.0001 is "-0.000"
    p = std::to_chars(p, p + 24, units / unit).ptr;
    *p++ = '.';
    uint64_t fractionDigits = units % unit;
    for (int i = decimals - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + fractionDigits % 10);
        fractionDigits /= 10;
    }
    p += decimals;
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
