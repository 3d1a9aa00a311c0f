#pragma once
// The main window's string table (tooltip texts) and the tooltip rule.

#include <string>

namespace vm {

// The string with that id, "" when the table has none.
std::string LoadTableString(int id);

// The tooltip of a string: the text after its first newline (the whole text
// when it has none), at most 79 characters.
std::string TooltipOfString(const std::string& s);

// The tooltip of a toolbar button or control id ("" for id 0 and ids without a string).
std::string TooltipFor(int id);

}  // namespace vm
