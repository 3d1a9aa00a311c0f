#include "instrument/exact_decimal.h"

#include <cstdlib>

namespace vm {
namespace {

// Leading zeros aside; 14 digits leave room for the shifts the records make.
constexpr int kMaxDigits = 14;

long long PowerOfTen(int n) {
    long long p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

}  // namespace

std::string_view Unpadded(std::string_view text) {
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return std::string_view();
    return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

bool ParseExactDecimal(std::string_view text, ExactDecimal& out) {
    text = Unpadded(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long units = 0;
    int digits = 0;
    int scale = 0;
    bool point = false;
    bool seen = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if ((units != 0 || c != '0') && ++digits > kMaxDigits)
                return false;
            seen = true;
            units = units * 10 + (c - '0');
            scale += point ? 1 : 0;
        } else {
            return false;
        }
    }
    if (!seen || scale > kMaxDigits)
        return false;
    out.units = negative ? -units : units;
    out.scale = scale;
    return true;
}

bool ParseOptionalDecimal(std::string_view text, std::optional<ExactDecimal>& out) {
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        out.reset();
        return true;
    }
    ExactDecimal d;
    if (!ParseExactDecimal(text, d))
        return false;
    out = d;
    return true;
}

bool ParseScaledDigits(std::string_view text, int scale, ExactDecimal& out) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    long long units = 0;
    int digits = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        if ((units != 0 || c != '0') && ++digits > kMaxDigits)
            return false;
        units = units * 10 + (c - '0');
    }
    out.units = negative ? -units : units;
    out.scale = scale;
    return true;
}

ExactDecimal RoundedTo(const ExactDecimal& value, int places) {
    if (places >= value.scale)
        return value;
    const long long divisor = PowerOfTen(value.scale - places);
    const long long magnitude = std::llabs(value.units);
    long long whole = magnitude / divisor;
    const long long rest = magnitude % divisor;
    if (rest * 2 > divisor || (rest * 2 == divisor && whole % 2 == 1))
        ++whole;
    return {value.units < 0 ? -whole : whole, places};
}

std::string ShiftedText(const ExactDecimal& value, int shift, int places) {
    // Shifting moves the decimal point: value.units at scale (scale - shift).
    ExactDecimal shifted{value.units, value.scale - shift};
    while (shifted.scale < 0) {
        shifted.units *= 10;
        ++shifted.scale;
    }
    if (places >= 0) {
        shifted = RoundedTo(shifted, places);
        while (shifted.scale < places) {
            shifted.units *= 10;
            ++shifted.scale;
        }
    }
    // Digits written from the right into a buffer: no allocation but the result.
    char buffer[48];
    char* p = buffer + sizeof buffer;
    unsigned long long magnitude = static_cast<unsigned long long>(std::llabs(shifted.units));
    for (int k = 0;; ++k) {  // digit k counts from the right; all decimals, one whole digit
        if (k == shifted.scale && k > 0)
            *--p = '.';
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        if (k >= shifted.scale && magnitude == 0)
            break;
    }
    if (shifted.units < 0)
        *--p = '-';
    return std::string(p, static_cast<size_t>(buffer + sizeof buffer - p));
}

}  // namespace vm
