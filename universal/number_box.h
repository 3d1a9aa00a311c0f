#pragma once
// The number boxes of the universal conversion dialog: how their text becomes
// a value and how a value is shown again. A constant is shown with every digit
// needed to read it back unchanged, so showing and taking the boxes again never
// rounds a grid coordinate constant.

#include <string>

namespace vm {

// The dialog's standard messages for a box that does not hold a number.
extern const char* const kEnterIntegerMessage;  // "请输入一个整数。"
extern const char* const kEnterNumberMessage;   // "请输入一个数字。"

// A whole decimal integer, spaces allowed around it; false when the text is not one.
bool ParseIntegerBox(const std::string& text, long long& value);

// A finite decimal number (sign, digits, point, exponent), spaces allowed
// around it; false when the text is not one.
bool ParseNumberBox(const std::string& text, double& value);

// The shortest text that reads back as exactly value ("500000.123", "1", "-0.5").
std::string FormatNumberBox(double value);

}  // namespace vm
