#pragma once
// The system's part of the temporary-file tracking (temporary_files_posix.cpp,
// temporary_files_win32.cpp).

namespace vm::platform {

// Removes a file with a call a signal handler may make.
void RemoveFileFromHandler(const char* path);

}  // namespace vm::platform
