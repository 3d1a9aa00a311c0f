#pragma once
// The Chinese user interface font: Microsoft YaHei, or SimSun where it is not
// installed, at 9 points for the window's DPI; and dialog units in that font.

#include "win/win32.h"

namespace vm::win32 {

HFONT CreateUiFont(HWND window);
// The face of that font: Microsoft YaHei, or SimSun where it is not installed.
const wchar_t* UiFontFace(HDC dc);
// The pixel size of a rectangle in dialog units of font, as dialogs compute it.
SIZE DialogUnitsToPixels(HWND window, HFONT font, int width, int height);

}  // namespace vm::win32
