#pragma once
// Where the main window was when it last closed, kept in the user's
// ConfigFile.ini, so it opens there again.

#include "win/win32.h"

namespace vm::win32 {

// Moves window to its remembered place; false when none is remembered (or it
// lies on no monitor now), leaving the window where it is.
bool RestoreWindowPlace(HWND window, int show);
void RememberWindowPlace(HWND window);

}  // namespace vm::win32
