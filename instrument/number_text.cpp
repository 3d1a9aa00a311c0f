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
    if (n > 0)
        out.append(buffer, static_cast<size_t>(std::min(n, static_cast<int>(sizeof buffer) - 1)));
}

}  // namespace vm
