#pragma once
// The program's name and version as the windows show them.
namespace vm {
inline constexpr const char* kAppTitle = "VeltraMarlin(2.5)";
}
