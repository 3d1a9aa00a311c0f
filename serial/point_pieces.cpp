#include "serial/point_pieces.h"

#include <climits>
#include <cstring>

#include "common/line_reader.h"
#include "common/skipped_records.h"
#include "common/text.h"

namespace vm {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct DecimalPrefix {
    bool negative = false;
    std::string digits;   // every mantissa digit, the decimal point left out
    long long point = 0;  // digits before the decimal point
    long long exponent = 0;
};

// The longest valid decimal prefix after leading white space; false when none.
bool ReadDecimalPrefix(const std::string& text, DecimalPrefix& out) {
    size_t i = 0;
    while (i < text.size() && std::strchr(" \t\n\v\f\r", text[i]) && text[i] != '\0')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        out.negative = text[i++] == '-';
    while (i < text.size() && IsDigit(text[i]))
        out.digits += text[i++];
    out.point = static_cast<long long>(out.digits.size());
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            out.digits += text[i++];
    }
    if (out.digits.empty())
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExp = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            negativeExp = text[j++] == '-';
        if (j < text.size() && IsDigit(text[j])) {
            long long e = 0;
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                if (e < 100000)
                    e = e * 10 + (text[j] - '0');
            }
            out.exponent = negativeExp ? -e : e;
        }
    }
    return true;
}

std::string MillimetreText(const std::string& field) {
    return std::to_string(WholeMillimetres(field)) + ",";
}

}  // namespace

long long WholeMillimetres(const std::string& text) {
    DecimalPrefix number;
    if (!ReadDecimalPrefix(text, number))
        return 0;
    // Digits that stand before the decimal point once the value is in millimetres.
    const long long whole = number.point + number.exponent + 3;
    unsigned long long value = 0;
    bool saturated = false;
    const unsigned long long limit =
        number.negative ? static_cast<unsigned long long>(LLONG_MAX) + 1 : LLONG_MAX;
    for (long long k = 0; k < whole && !saturated; ++k) {
        const unsigned digit = k < static_cast<long long>(number.digits.size())
                                   ? static_cast<unsigned>(number.digits[k] - '0')
                                   : 0;
        if (value > (limit - digit) / 10) {
            saturated = true;
        } else {
            value = value * 10 + digit;
        }
    }
    if (saturated)
        return number.negative ? LLONG_MIN : LLONG_MAX;
    if (number.negative)
        return value == 0 ? 0 : static_cast<long long>(0 - value);
    return static_cast<long long>(value);
}

PointPieces SplitPointLine(const std::string& line) {
    PointPieces pieces;
    const long long a = FindChar(line, ',', 0);
    if (a < 0)
        return pieces;
    // Each search starts after the previous comma; one after a failed search
    // starts over from the beginning of the line.
    const long long b = FindChar(line, ',', a + 1);
    const long long c = FindChar(line, ',', b + 1);
    const long long d = FindChar(line, ',', c + 1);
    pieces.converted = true;
    pieces.first = Mid(line, 0, a) + "," + MillimetreText(Mid(line, a + 1, b - 1));
    pieces.second = MillimetreText(Mid(line, b + 1, c - 1));
    pieces.third = d < 0 ? MillimetreText(MidFrom(line, c + 1))
                         : MillimetreText(Mid(line, c + 1, d - 1)) + MidFrom(line, d + 1);
    return pieces;
}

namespace {

bool SendableMillimetres(const std::string& field) {
    constexpr long long kMax = static_cast<long long>(kMaxCoordinateMetres) * 1000;
    const long long mm = WholeMillimetres(field);
    return mm <= kMax && mm >= -kMax;
}

}  // namespace

long long FirstUnsendableLine(const std::string& bytes, std::string& line) {
    LineReader reader(bytes);
    std::string piece;
    long long number = 1;
    while (reader.Next(piece)) {
        const std::string text = StripLineEnds(piece);
        const long long a = FindChar(text, ',', 0);
        const long long b = a < 0 ? -1 : FindChar(text, ',', a + 1);
        const long long c = b < 0 ? -1 : FindChar(text, ',', b + 1);
        // Each number is read from just after its comma up to the next one.
        if (a >= 0 && (!SendableMillimetres(MidFrom(text, a + 1)) ||
                       (b >= 0 && !SendableMillimetres(MidFrom(text, b + 1))) ||
                       (c >= 0 && !SendableMillimetres(MidFrom(text, c + 1))))) {
            line = text;
            return number;
        }
        number += !piece.empty() && piece.back() == '\n' ? 1 : 0;
    }
    return 0;
}

}  // namespace vm
