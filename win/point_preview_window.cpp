#include "win/point_preview_window.h"

#include "common/file_io.h"
#include "common/wide_text_win32.h"
#include "win/desktop.h"
#include "win/png_file.h"
#include "win/ui_font.h"
#include "win/window_text.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace vm::win32 {
namespace {

constexpr const wchar_t* kViewClass = L"VeltraMarlinPointView";
constexpr int kClickSlopPx = 4;  // a press and release closer than this is a click
constexpr int kMargin = 8, kButtonHeight = 26, kLineHeight = 22, kListWidth = 240;

struct Button {
    int id;
    const char* caption;
    int width;
    DWORD style;
};
const Button kButtons[] = {
    {kPreviewOpenId, "打开文件...", 100, BS_PUSHBUTTON},
    {kPreviewFitId, "全图", 70, BS_PUSHBUTTON},
    {kPreviewNamesId, "点名", 60, BS_AUTOCHECKBOX},
    {kPreviewCodesId, "编码", 60, BS_AUTOCHECKBOX},
    {kPreviewExportId, "导出PNG...", 100, BS_PUSHBUTTON},
};

PointPreviewWindow* Self(HWND hwnd) {
    return reinterpret_cast<PointPreviewWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HWND MakeChild(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int id) {
    return CreateWindowExW(0, cls, WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                           0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

PointPreviewWindow::PointPreviewWindow(std::string bytes, const std::string& source,
                                       PointFileKind kind, const LayoutColumns& layout)
    : m_source(source),
      m_set(ReadPointSet(bytes, kind, layout)),
      m_grid(m_set.points),
      m_area(PreviewArea(m_set.extent)) {}

void PointPreviewWindow::RegisterClasses() {
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kPointPreviewClass;
    RegisterClassExW(&wc);
    wc.lpfnWndProc = &ViewProc;
    wc.hbrBackground = nullptr;
    wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    wc.lpszClassName = kViewClass;
    RegisterClassExW(&wc);
}

bool PointPreviewWindow::Open(HWND owner, const std::string& path, PointFileKind kind,
                              const LayoutColumns& layout) {
    std::string bytes;
    FileError error;
    if (!ReadFileBytes(path, bytes, &error)) {
        desktop().MessageBox(owner, error.message, {}, MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    Show(owner, std::move(bytes), path, kind, layout);
    return true;
}

void PointPreviewWindow::Show(HWND owner, std::string bytes, const std::string& source,
                              PointFileKind kind, const LayoutColumns& layout) {
    RegisterClasses();
    auto* self = new PointPreviewWindow(std::move(bytes), source, kind, layout);
    const std::wstring title = WideFromUtf8(std::string(kPreviewTitle) + " - " + source);
    HWND hwnd =
        CreateWindowExW(0, kPointPreviewClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 900, 620, owner, nullptr, GetModuleHandleW(nullptr), self);
    if (!hwnd) {
        delete self;
        return;
    }
    ShowWindow(hwnd, SW_SHOW);
}

LRESULT CALLBACK PointPreviewWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    PointPreviewWindow* self = Self(hwnd);
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            self->OnCreate(hwnd);
            return 0;
        case WM_SIZE:
            self->OnSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            self->OnCommand(LOWORD(wParam));
            return 0;
        case WM_DPICHANGED:
            ApplyDpiChange(hwnd, self->m_font, wParam, lParam);
            return 0;
        case WM_NCDESTROY:
            if (self->m_font)
                DeleteObject(self->m_font);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete self;
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PointPreviewWindow::ViewProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    PointPreviewWindow* self = Self(GetParent(hwnd));
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (self) {
        switch (message) {
            case WM_ERASEBKGND:
                return 1;  // the picture covers the whole view
            case WM_PAINT:
                self->OnPaintView();
                return 0;
            case WM_MOUSEWHEEL:
                self->OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), at);
                return 0;
            case WM_LBUTTONDOWN:
                self->OnButtonDown(at);
                return 0;
            case WM_MOUSEMOVE:
                self->OnMouseMove(at);
                return 0;
            case WM_LBUTTONUP:
                self->OnButtonUp(at);
                return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PointPreviewWindow::OnCreate(HWND hwnd) {
    m_hwnd = hwnd;
    m_font = CreateUiFont(hwnd);
    for (const Button& b : kButtons)
        MakeChild(hwnd, L"BUTTON", b.caption, WS_TABSTOP | b.style, b.id);
    CheckDlgButton(hwnd, kPreviewNamesId, BST_CHECKED);
    m_view = MakeChild(hwnd, kViewClass, "", WS_BORDER, kPreviewViewId);
    MakeChild(hwnd, L"STATIC", PointSetSummary(m_set), SS_LEFTNOWORDWRAP, kPreviewSummaryId);
    MakeChild(hwnd, L"EDIT", kPickHint, ES_READONLY | ES_AUTOHSCROLL, kPreviewPickedId);
    FillOtherLines(MakeChild(hwnd, L"LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                             kPreviewOtherLinesId));
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, WPARAM(m_font), TRUE);
}

// The lines that are not points, beside the view; none, no list.
void PointPreviewWindow::FillOtherLines(HWND list) {
    for (const std::string& item : NonPointLineItems(m_set))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
    ShowWindow(list, m_set.otherLineCount > 0 ? SW_SHOW : SW_HIDE);
}

// Buttons along the top, the view filling the middle, the range line and the
// picked point's line below it.
void PointPreviewWindow::OnSize(int width, int height) {
    int x = kMargin;
    for (const Button& b : kButtons) {
        MoveWindow(GetDlgItem(m_hwnd, b.id), x, kMargin, b.width, kButtonHeight, TRUE);
        x += b.width + kMargin;
    }
    const int top = kMargin * 2 + kButtonHeight;
    const int bottom = height - kMargin - kLineHeight * 2;
    const int list = m_set.otherLineCount > 0 ? kListWidth + kMargin : 0;
    MoveWindow(m_view, kMargin, top, std::max(width - 2 * kMargin - list, 1),
               std::max(bottom - top, 1), TRUE);
    MoveWindow(GetDlgItem(m_hwnd, kPreviewOtherLinesId), width - kMargin - kListWidth, top,
               kListWidth, std::max(bottom - top, 1), TRUE);
    MoveWindow(GetDlgItem(m_hwnd, kPreviewSummaryId), kMargin, bottom + 4, width - 2 * kMargin,
               kLineHeight - 4, TRUE);
    MoveWindow(GetDlgItem(m_hwnd, kPreviewPickedId), kMargin, bottom + kLineHeight + 2,
               width - 2 * kMargin, kLineHeight - 4, TRUE);
    if (m_keepFitted)
        FitAll();
}

void PointPreviewWindow::OnCommand(int id) {
    if (id == kPreviewOpenId)
        OpenOther();
    else if (id == kPreviewFitId)
        FitAll();
    else if (id == kPreviewExportId)
        ExportPng();
    else if (id == kPreviewNamesId || id == kPreviewCodesId)
        Redraw();
}

SIZE PointPreviewWindow::ViewSize() const {
    RECT r{};
    GetClientRect(m_view, &r);
    return {r.right, r.bottom};
}

PointPicture PointPreviewWindow::Picture() const {
    PointPicture picture;
    picture.set = &m_set;
    picture.grid = &m_grid;
    picture.frame = m_frame;
    picture.selected = m_selected;
    picture.names = IsDlgButtonChecked(m_hwnd, kPreviewNamesId) == BST_CHECKED;
    picture.codes = IsDlgButtonChecked(m_hwnd, kPreviewCodesId) == BST_CHECKED;
    picture.font = m_font;
    return picture;
}

// Drawn into a bitmap first and copied whole, so the picture never flickers.
void PointPreviewWindow::OnPaintView() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_view, &ps);
    const SIZE size = ViewSize();
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(size.cx, 1L), std::max(size.cy, 1L));
    HGDIOBJ old = SelectObject(memory, bitmap);
    DrawPointPicture(memory, size.cx, size.cy, Picture());
    BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(m_view, &ps);
}

void PointPreviewWindow::FitAll() {
    m_keepFitted = true;
    const SIZE size = ViewSize();
    m_frame = FitFrame(m_area, size.cx, size.cy);
    Redraw();
}

void PointPreviewWindow::OnWheel(int delta, POINT screen) {
    const int steps = delta / WHEEL_DELTA;
    if (steps == 0)
        return;
    ScreenToClient(m_view, &screen);
    m_keepFitted = false;
    m_frame = ZoomFrame(m_frame, m_area, steps, screen.x, screen.y);
    Redraw();
}

void PointPreviewWindow::OnButtonDown(POINT at) {
    SetFocus(m_view);
    SetCapture(m_view);
    m_dragging = true;
    m_pressAt = m_lastAt = at;
}

void PointPreviewWindow::OnMouseMove(POINT at) {
    if (!m_dragging || (at.x == m_lastAt.x && at.y == m_lastAt.y))
        return;
    m_keepFitted = false;  // a drag pans away from the fitted view
    m_frame = PanFrame(m_frame, at.x - m_lastAt.x, at.y - m_lastAt.y);
    m_lastAt = at;
    Redraw();
}

void PointPreviewWindow::OnButtonUp(POINT at) {
    if (!m_dragging)
        return;
    m_dragging = false;
    ReleaseCapture();
    if (std::abs(at.x - m_pressAt.x) + std::abs(at.y - m_pressAt.y) > kClickSlopPx)
        return;
    m_selected = m_grid.Nearest(m_frame.East(at.x), m_frame.North(at.y),
                                kPickRadiusPx / m_frame.pixelsPerMetre);
    ShowPicked();
    Redraw();
}

void PointPreviewWindow::ShowPicked() {
    const bool valid = m_selected >= 0 && size_t(m_selected) < m_set.points.size();
    SetWindowText(GetDlgItem(m_hwnd, kPreviewPickedId),
                  valid ? PickedPointText(m_set.points[size_t(m_selected)]) : kPickHint);
}

// Another file's points in a window of their own, in place of this one.
void PointPreviewWindow::OpenOther() {
    const std::optional<std::string> path = desktop().AskOpenFile(m_hwnd, TextDataFileRequest());
    if (!path)
        return;
    if (Open(GetWindow(m_hwnd, GW_OWNER), *path, PointFileKind::Auto, LayoutColumns()))
        DestroyWindow(m_hwnd);
}

// What the view shows now, written whole or not at all.
void PointPreviewWindow::ExportPng() {
    FileDialogRequest request;
    request.filter = kPngFilter;
    request.defaultExt = "png";
    const std::optional<std::string> path = desktop().AskSaveFile(m_hwnd, request);
    if (!path)
        return;
    const SIZE size = ViewSize();
    HDC screen = GetDC(m_view);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max(size.cx, 1L), std::max(size.cy, 1L));
    ReleaseDC(m_view, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    DrawPointPicture(memory, size.cx, size.cy, Picture());
    SelectObject(memory, old);
    DeleteDC(memory);
    std::string reason;
    if (!WritePngFile(bitmap, *path, &reason))
        desktop().MessageBox(m_hwnd, kPngWriteFailed + *path + "\n" + reason, {}, MsgButtons::Ok,
                             MsgIcon::Stop);
    DeleteObject(bitmap);
}

}  // namespace vm::win32
