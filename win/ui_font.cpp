#include "win/ui_font.h"

#include "win/dialog_template.h"

namespace vm::win32 {
namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontInstalled(HDC dc, const wchar_t* name) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, name, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

const wchar_t* UiFontFace(HDC dc) {
    return FontInstalled(dc, kDialogFontName) ? kDialogFontName : L"SimSun";
}

HFONT CreateUiFont(HWND window) {
    HDC dc = GetDC(window);
    const wchar_t* name = UiFontFace(dc);
    const int height = -MulDiv(kDialogFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, name);
}

SIZE DialogUnitsToPixels(HWND window, HFONT font, int width, int height) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &letters);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    const int baseX = (letters.cx / 26 + 1) / 2;
    const int baseY = metrics.tmHeight;
    return SIZE{MulDiv(width, baseX, 4), MulDiv(height, baseY, 8)};
}

}  // namespace vm::win32
