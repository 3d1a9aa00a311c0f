#pragma once
// A bitmap saved as a PNG file through the system's GDI+, written whole or
// not at all.

#include "win/win32.h"

#include <string>

namespace vm::win32 {

// False (with the reason in *reason) when the picture could not be encoded or
// the file not written; an earlier file at path then stays as it was.
bool WritePngFile(HBITMAP bitmap, const std::string& path, std::string* reason);

}  // namespace vm::win32
