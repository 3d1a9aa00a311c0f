#include "common/number.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <limits>

namespace vm {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipSpace(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && IsCSpace(s[i])) ++i;
    return i;
}

// Length of the longest decimal floating prefix starting at i, 0 if none.
size_t DecimalPrefixLength(const std::string& s, size_t i) {
    const size_t begin = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    return i - begin;
}

}  // namespace

double AtoF(const std::string& s) {
    const size_t start = SkipSpace(s);
    const size_t len = DecimalPrefixLength(s, start);
    if (len == 0) return 0.0;
    // The prefix holds only sign, digits, '.' and an exponent; strtod rounds it
    // correctly. The decimal point of the "C" locale is assumed by the files, so
    // a locale with a decimal comma is worked around by swapping the point.
    std::string prefix = s.substr(start, len);
    const char* point = std::localeconv()->decimal_point;
    if (point && point[0] && point[0] != '.' && point[1] == '\0') {
        for (char& c : prefix) {
            if (c == '.') c = point[0];
        }
    }
    return std::strtod(prefix.c_str(), nullptr);
}

long long AtoI(const std::string& s) {
    size_t i = SkipSpace(s);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        const int d = s[i] - '0';
        if (value > (kMax - d) / 10) return negative ? -kMax : kMax;
        value = value * 10 + d;
    }
    return negative ? -value : value;
}

}  // namespace vm
