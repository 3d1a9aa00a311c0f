#pragma once
// Plain coordinate text: name, X (north), Y (east), Z and an optional code on
// each line, separated by commas, semicolons, tabs or spaces.

#include <string_view>

namespace vm {

// The separator of the file's first data line: '\t', ';', ',' or ' ' (runs of spaces).
char CoordinateTextSeparator(std::string_view line);

// True when line holds a name and three numbers with that separator.
bool IsCoordinateTextLine(std::string_view line, char separator);

}  // namespace vm
