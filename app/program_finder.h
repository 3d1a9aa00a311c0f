#pragma once
// The desktop programs the tool menu starts: on Windows Notepad and the
// Calculator themselves (program_finder_win32.cpp); elsewhere the first text
// editor or calculator found on the search path stands in for them.

#include <string>
#include <vector>

namespace vm {

// Graphical text editors, most common desktops first.
std::vector<std::string> TextEditorCandidates();
// Calculators, most common desktops first.
std::vector<std::string> CalculatorCandidates();

// Full path of the first candidate that is an executable file in one of the
// folders of searchPath (separated as in the system's PATH; "" searches where
// the system would), or "" when none is.
std::string FindFirstProgram(const std::vector<std::string>& candidates,
                             const std::string& searchPath = std::string());

}  // namespace vm
