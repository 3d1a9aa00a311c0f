#include "win/window_text.h"

#include <algorithm>

#include "common/wide_text_win32.h"

#include <commctrl.h>

namespace vm::win32 {
namespace {

constexpr int kColumnWidthPixels = 80;

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    return Utf8FromWide(text.data(), size_t(got > 0 ? got : 0));
}

void SetWindowText(HWND window, const std::string& text) {
    SetWindowTextW(window, WideFromUtf8(text).c_str());
}

void SetOneLineText(HWND window, const std::string& text) {
    std::string shown = text;
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return c > 0 && c < ' '; }, ' ');
    SetWindowText(window, shown);
}

std::string ItemText(HWND list, bool combo, int index) {
    const LRESULT length =
        SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, WPARAM(index), 0);
    if (length < 0)
        return {};
    std::wstring text(size_t(length) + 1, L'\0');
    SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(index),
                 reinterpret_cast<LPARAM>(text.data()));
    return Utf8FromWide(text.data(), size_t(length));
}

std::string WithCrLfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::string WithLfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    }
    return out;
}

void FillListView(HWND view, const std::vector<std::string>& header,
                  const std::vector<std::vector<std::string>>& rows) {
    SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(view);
    while (ListView_DeleteColumn(view, 0)) {
    }
    for (size_t c = 0; c < header.size(); ++c) {
        std::wstring caption = WideFromUtf8(header[c]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = kColumnWidthPixels;
        column.pszText = caption.data();
        SendMessageW(view, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size() && c < header.size(); ++c) {
            std::wstring cell = WideFromUtf8(rows[r][c]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = int(r);
            item.iSubItem = int(c);
            item.pszText = cell.data();
            SendMessageW(view, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(view, WM_SETREDRAW, TRUE, 0);
}

HWND CreateToolTips(HWND owner, int maxWidth) {
    HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return tips;
}

void SetControlToolTip(HWND tips, HWND owner, HWND control, const std::string& text) {
    std::wstring wide = WideFromUtf8(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (wide.empty())
        return;
    tool.lpszText = wide.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace vm::win32
