#pragma once
// Numbers of other makers' files kept as the exact decimals they are written
// as: a whole count of units of 10^-scale. Rounding to the places an output
// prints happens on these decimals (half to even, as printf rounds an exact
// tie), never on a binary double.

#include <optional>
#include <string>
#include <string_view>

namespace vm {

struct ExactDecimal {
    long long units = 0;  // the value times 10^scale
    int scale = 0;        // decimal places, 0-14
};

// text without the spaces and tabs around it, as fields of other makers'
// files are read.
std::string_view Unpadded(std::string_view text);

// Reads [+-]digits[.digits] (at most 14 digits besides leading
// zeros, spaces around allowed); false
// for anything else, including empty text.
bool ParseExactDecimal(std::string_view text, ExactDecimal& out);

// A number field that may be blank: empty or spaces only gives nothing, a
// number its value; false for anything else, out then left as it was.
bool ParseOptionalDecimal(std::string_view text, std::optional<ExactDecimal>& out);

// The value of text's digits with the decimal point put scale places from the
// right ("+00012345" with scale 3 is 12.345); false unless text is a sign
// (optional) and digits (at most 14
// besides leading zeros).
bool ParseScaledDigits(std::string_view text, int scale, ExactDecimal& out);

// The value times 10^shift, rounded half to even to `places` decimals, as text
// without exponent ("-0" never appears). places < 0 keeps every decimal.
std::string ShiftedText(const ExactDecimal& value, int shift, int places);

// The value as the file wrote it, with all its decimals ("12.3450").
inline std::string DecimalText(const ExactDecimal& value) {
    return ShiftedText(value, 0, -1);
}

// The value rounded half to even to `places` decimals (places <= scale).
ExactDecimal RoundedTo(const ExactDecimal& value, int places);

}  // namespace vm
