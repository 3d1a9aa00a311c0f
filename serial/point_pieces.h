#pragma once
// How one line of a coordinate file goes to the instrument: a line of the form
// name,X,Y,Z[,code] is sent in three pieces with the coordinates in whole
// millimetres; a line without a comma is sent as it stands.
//
// PT7,100.25,200.5,-3.0009,TREE  ->  "PT7,100250,"  "200500,"  "-3000,TREE"

#include <string>

namespace vm {

struct PointPieces {
    bool converted = false;  // false: no comma, the line goes out unchanged
    std::string first;       // name and X
    std::string second;      // Y
    std::string third;       // Z and whatever follows the fourth comma (CR LF not included)
};

PointPieces SplitPointLine(const std::string& line);

// The number at the start of text (the C library's prefix rule: leading blanks,
// sign, digits, decimal point, exponent; 0 when none) times 1000, truncated
// toward zero. Worked out on the decimal digits themselves, so an exact
// millimetre value such as 1.001 gives 1001, never 1000 through binary
// rounding, while sub-millimetre fractions are still cut off (-1.2345 gives
// -1234). Values beyond the 64-bit range saturate.
long long WholeMillimetres(const std::string& text);

// The first line (from 1) of a coordinate file whose coordinates the instrument
// could not take (beyond ±10^10 m, which the 64-bit millimetres would only
// clamp), or 0 when every line can be sent. The text of that line in line.
long long FirstUnsendableLine(const std::string& bytes, std::string& line);

}  // namespace vm
