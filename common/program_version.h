#pragma once
// --version for the three programs: "NAME VERSION" on standard output.

namespace vm {

// True when the only argument is --version; the version line is then printed.
bool PrintVersionIfAsked(int argc, char** argv, const char* program);

}  // namespace vm
