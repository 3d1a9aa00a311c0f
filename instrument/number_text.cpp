#include "instrument/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/number.h"

namespace vm {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Prints value with the given decimals through one multiplication, for the
// values that the instrument's files hold. printf rounds the exact binary
// value; the product value x 10^decimals differs from the exact one by less
// than 1e-4 while it stays below 1e12, so whenever it lies more than 0.001 away
// from a half the nearest integer is printf's digits. Anything else (ties,
// huge values, infinities) goes the exact way.
bool AppendFixedQuickly(std::string& out, double value, int decimals) {
    static const double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    if (decimals < 0 || decimals > 6)
        return false;
    const double scaled = std::fabs(value) * kPowers[decimals];
    if (!(scaled < 1e12))
        return false;
    const double nearest = std::nearbyint(scaled);
    if (std::fabs(scaled - nearest) > 0.499)
        return false;
    char digits[24];
    int length = 0;
    for (auto n = static_cast<unsigned long long>(nearest); n != 0 || length <= decimals; n /= 10) {
        digits[length++] = static_cast<char>('0' + n % 10);
    }
    char text[32];
    size_t size = 0;
    if (std::signbit(value))
        text[size++] = '-';  // printf keeps the sign: -0.0001 is "-0.000"
    for (int i = length - 1; i >= 0; --i) {
        if (i == decimals - 1)
            text[size++] = '.';
        text[size++] = digits[i];
    }
    out.append(text, size);
    return true;
}

}  // namespace

double ReadNumber(const std::string& text, size_t begin, size_t end) {
    if (end > text.size())
        end = text.size();
    if (begin >= end)
        return 0.0;
    // The instrument writes whole numbers: up to 15 digits are exact in a double,
    // so they are read directly. Anything else goes the general way.
    size_t i = begin;
    while (i < end && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t digitsBegin = i;
    long long value = 0;
    while (i < end && IsDigit(text[i]) && i - digitsBegin < 15)
        value = value * 10 + (text[i++] - '0');
    const bool plainInteger =
        i > digitsBegin &&
        (i == end || (!IsDigit(text[i]) && text[i] != '.' && text[i] != 'e' && text[i] != 'E'));
    if (plainInteger) {
        const double magnitude = static_cast<double>(value);
        return negative ? -magnitude : magnitude;
    }
    return AtoF(text.substr(begin, end - begin));
}

void AppendFixed(std::string& out, double value, int decimals) {
    if (AppendFixedQuickly(out, value, decimals))
        return;
    char buffer[400];  // the largest double needs 309 digits before the point
    if (std::isfinite(value)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::fixed, decimals);
        if (result.ec == std::errc()) {
            out.append(buffer, result.ptr);
            return;
        }
    }
    const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (n > 0) {
        out.append(buffer, static_cast<size_t>(std::min(n, static_cast<int>(sizeof buffer) - 1)));
    }
}

}  // namespace vm
