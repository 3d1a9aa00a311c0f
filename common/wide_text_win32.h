#pragma once
// Paths and texts are UTF-8 inside the program; the Windows system calls take
// UTF-16. These two conversions sit at every such call, so any Unicode file
// name (Chinese folder names included) reaches the file system unchanged.

#include <string>

namespace vm::win32 {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, size_t length);
std::string Utf8FromWide(const std::wstring& text);

// The errno value that stands for a Windows error code, so failures read the
// same on every system ("文件或文件夹不存在", "没有访问权限", ...).
int ErrnoFromWin32(unsigned long error);

}  // namespace vm::win32
