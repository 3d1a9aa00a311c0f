#pragma once
// Stand-ins for the desktop programs the tool menu starts: the first text
// editor or calculator found on the search path.

#include <string>
#include <vector>

namespace vm {

// Graphical text editors, most common desktops first.
std::vector<std::string> TextEditorCandidates();
// Calculators, most common desktops first.
std::vector<std::string> CalculatorCandidates();

// Full path of the first candidate that is an executable file in one of the
// folders of searchPath (colon-separated; "" means $PATH), or "" when none is.
std::string FindFirstProgram(const std::vector<std::string>& candidates,
                             const std::string& searchPath = std::string());

}  // namespace vm
