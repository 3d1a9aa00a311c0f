#pragma once
// The command line and the console, the same on every system: arguments
// arrive as UTF-8 whatever the system's code page, and what the program
// prints goes out as the bytes it holds (UTF-8 texts, no line-end changes).

#include <string>
#include <vector>

namespace vm {

// The program's arguments after its own name, as UTF-8. On Windows they are
// read from the UTF-16 command line, so file names in any script (Chinese
// folder names included) arrive intact; argv serves elsewhere.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Sets up standard output and error to carry the program's bytes unchanged
// and a console to show them as UTF-8.
void PrepareConsoleOutput();

}  // namespace vm
