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

HFONT CreateUiFont(HWND window, UINT dpi) {
    HDC dc = GetDC(window);
    const wchar_t* name = UiFontFace(dc);
    if (dpi == 0)
        dpi = GetDpiForWindow(window);
    const int height = -MulDiv(kDialogFontPoints, int(dpi), 72);
    ReleaseDC(window, dc);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, name);
}

void ApplyDpiChange(HWND window, HFONT& font, WPARAM wParam, LPARAM lParam) {
    HFONT old = font;
    font = CreateUiFont(window, HIWORD(wParam));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, WPARAM(font), TRUE);
    DeleteObject(old);
    const RECT* place = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, place->left, place->top, place->right - place->left,
                 place->bottom - place->top, SWP_NOZORDER | SWP_NOACTIVATE);
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
