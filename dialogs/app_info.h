#pragma once
// The program's name and version as the windows show them.
namespace vm {
extern const char* const kAppTitle;  // "VeltraMarlin(<version of the build>)"
}
