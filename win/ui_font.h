#pragma once
// The Chinese user interface font: Microsoft YaHei, or SimSun where it is not
// installed, at 9 points for the window's DPI; and dialog units in that font.

#include "win/win32.h"

namespace vm::win32 {

// Created for the window's DPI, or for dpi when it is given.
HFONT CreateUiFont(HWND window, UINT dpi = 0);
// WM_DPICHANGED of a top-level window whose children all use font: a new font
// for the new DPI on every child (the old one is deleted), and the window at
// the place the system suggests, so its layout follows in WM_SIZE.
void ApplyDpiChange(HWND window, HFONT& font, WPARAM wParam, LPARAM lParam);
// The face of that font: Microsoft YaHei, or SimSun where it is not installed.
const wchar_t* UiFontFace(HDC dc);
// The pixel size of a rectangle in dialog units of font, as dialogs compute it.
SIZE DialogUnitsToPixels(HWND window, HFONT font, int width, int height);

}  // namespace vm::win32
