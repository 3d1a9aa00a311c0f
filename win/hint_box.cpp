#include "win/hint_box.h"

#include <commctrl.h>

#include "common/wide_text_win32.h"
#include "win/ui_font.h"

namespace vm::win32 {
namespace {

bool RegisterBoxClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSW box{};
        box.lpfnWndProc = proc;
        box.hInstance = GetModuleHandleW(nullptr);
        box.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        box.lpszClassName = kHintBoxClass;
        return RegisterClassW(&box) != 0;
    }();
    return registered;
}

// The box's lines as its window text, one per line, for the tests and for
// screen readers.
std::wstring JoinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return WideFromUtf8(text);
}

HFONT HintFont(const wchar_t* face, int cellHeight) {
    return CreateFontW(cellHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

// Draws line from (x, y): ASCII in latin, every other character in chinese
// (Courier New has no Chinese glyphs, and not every system links it to a font
// that has them).
void DrawHintLine(HDC dc, int x, int y, const std::wstring& line, HFONT latin, HFONT chinese) {
    for (size_t from = 0; from < line.size();) {
        const bool ascii = line[from] < 0x80;
        size_t to = from;
        while (to < line.size() && (line[to] < 0x80) == ascii)
            ++to;
        SelectObject(dc, ascii ? latin : chinese);
        TextOutW(dc, x, y, line.c_str() + from, int(to - from));
        SIZE extent{};
        GetTextExtentPoint32W(dc, line.c_str() + from, int(to - from), &extent);
        x += extent.cx;
        from = to;
    }
}

// True while the cursor is over the dialog, one of its controls or the box.
bool CursorOver(HWND dialog, HWND box) {
    POINT at{};
    GetCursorPos(&at);
    HWND over = WindowFromPoint(at);
    return over == dialog || over == box || IsChild(dialog, over);
}

}  // namespace

HintBox::~HintBox() {
    if (m_box)
        DestroyWindow(m_box);
}

void HintBox::Attach(HWND dialog, const DialogTemplate& controls, std::vector<ControlHint> hints) {
    if (hints.empty() || !RegisterBoxClass(&BoxProc))
        return;
    m_dialog = dialog;
    m_controls = &controls;
    m_hints = std::move(hints);
    m_box = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kHintBoxClass, L"", WS_POPUP, 0, 0,
                            0, 0, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    EnumChildWindows(dialog, &WatchControl, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK HintBox::WatchControl(HWND control, LPARAM self) {
    SetWindowSubclass(control, &ControlProc, 0, DWORD_PTR(self));
    return TRUE;
}

LRESULT CALLBACK HintBox::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE)
        reinterpret_cast<HintBox*>(self)->OnMouse(hwnd, message);
    else if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, &ControlProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void HintBox::OnDialogMessage(UINT message, WPARAM wParam) {
    if (!m_box)
        return;
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE)
        OnMouse(m_dialog, message);
    else if (message == WM_NCMOUSEMOVE || message == WM_MOVE ||
             (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE))
        Hide();
}

// A movement over window `over` (the dialog or a control), or the mouse
// leaving it: leaving one for another of the dialog's windows is a movement.
void HintBox::OnMouse(HWND over, UINT message) {
    if (message == WM_MOUSELEAVE) {
        if (!CursorOver(m_dialog, m_box))
            Hide();
        return;
    }
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, over, 0};
    TrackMouseEvent(&track);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(m_dialog, &at);
    const int id = ControlAt(at);
    if (id == m_currentId)
        return;
    Hide();
    m_currentId = id;
    for (const ControlHint& hint : m_hints) {
        if (hint.controlId == id) {
            Show(hint);
            return;
        }
    }
}

// The control under a point of the client area, hidden and disabled ones
// included, the last one of the template first (as the Linux program looks
// them up); 0 for the bare dialog.
int HintBox::ControlAt(POINT client) const {
    for (size_t i = m_controls->rowCount; i-- > 0;) {
        HWND control = GetDlgItem(m_dialog, m_controls->rows[i].id);
        RECT r{};
        if (!control || !GetWindowRect(control, &r))
            continue;
        MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&r), 2);
        if (PtInRect(&r, client))
            return m_controls->rows[i].id;
    }
    return 0;
}

void HintBox::Show(const ControlHint& hint) {
    if (hint.lines.empty())
        return;
    HWND control = GetDlgItem(m_dialog, hint.controlId);
    RECT window{}, c{};
    GetWindowRect(m_dialog, &window);
    GetWindowRect(control, &c);
    // The dialog's whole window and the control in its client coordinates.
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&window), 2);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&c), 2);
    m_size.fontHeight = kHintFontHeight;
    SizeHintBox(m_size, hint.lines);
    const HintRect box =
        PlaceHintBox(m_size, {window.left, window.top, window.right, window.bottom},
                     {c.left, c.top, c.right, c.bottom});
    POINT origin{box.left, box.top};
    ClientToScreen(m_dialog, &origin);
    m_shown = &hint;
    SetWindowTextW(m_box, JoinedLines(hint.lines).c_str());
    SetWindowPos(m_box, HWND_TOP, origin.x, origin.y, box.width(), box.height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(m_box, nullptr, TRUE);
}

void HintBox::Hide() {
    if (m_shown)
        ShowWindow(m_box, SW_HIDE);
    m_shown = nullptr;
    m_currentId = 0;
}

LRESULT CALLBACK HintBox::BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HintBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            if (self)
                self->Paint(dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// White box, etched frame, the lines in fonts whose cell height is the font
// height the rules chose.
void HintBox::Paint(HDC dc) const {
    RECT r{};
    GetClientRect(m_box, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    if (!m_shown)
        return;
    HFONT latin = HintFont(L"Courier New", m_size.fontHeight);
    HFONT chinese = HintFont(UiFontFace(dc), m_size.fontHeight);
    HGDIOBJ old = SelectObject(dc, latin);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const HintRect box{0, 0, r.right, r.bottom};
    for (size_t i = 0; i < m_shown->lines.size(); ++i) {
        int x = 0, y = 0;
        HintLineOrigin(box, m_size.fontHeight, int(i), x, y);
        DrawHintLine(dc, x, y, WideFromUtf8(m_shown->lines[i]), latin, chinese);
    }
    SelectObject(dc, old);
    DeleteObject(latin);
    DeleteObject(chinese);
}

}  // namespace vm::win32
