#pragma once
// What the workbook writers and the printed table need to fit a column to its
// longest value: the width of a text in character cells (a Chinese character
// takes two, as on screen and paper), and the number a cell text holds.

#include <string>
#include <string_view>

namespace vm {

size_t DisplayWidth(std::u16string_view text);
size_t DisplayWidthUtf8(std::string_view utf8);

// The value of a cell text that is a plain decimal number (outer spaces
// allowed: " 100.5 ", "-2.5e3"); false for anything else ("1,5", "12a", "").
bool ReadCellNumber(std::string_view text, double& value);

// The text a number cell shows in the format "0.000".
std::string ThreeDecimals(double value);

}  // namespace vm
