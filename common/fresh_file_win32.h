#pragma once
// Files made beside a target before they take its name, for the whole-file
// replacements of the Windows build (a rename within one folder is one step).

#include <string>
#include <windows.h>

namespace vm::win32 {

// A name in path's folder that no file has yet: ".vm-<tag>-<process>-<tick>-<count>".
std::string FreshNameBeside(const std::string& path, const char* tag);

// Creates a new, empty file under a fresh name beside path, written through
// to the disk; INVALID_HANDLE_VALUE (GetLastError set) when it cannot be made.
HANDLE CreateFileBeside(const std::string& path, std::wstring& name);

}  // namespace vm::win32
