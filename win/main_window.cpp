#include "win/main_window.h"

#include "common/user_paths.h"
#include "common/wide_text_win32.h"
#include "dialogs/com_set_dialog.h"
#include "dialogs/main_menu.h"
#include "dialogs/recent_files.h"
#include "dialogs/string_table.h"
#include "dialogs/app_info.h"
#include "win/dialog_template.h"
#include "win/export_command_host.h"
#include "win/main_menu.h"
#include "win/ui_font.h"
#include "win/window_place.h"
#include "win/window_text.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vm::win32 {
namespace {

// The window's client area in dialog units below the menu and toolbar, as
// dialog 102 gives it: the pane above, the status line along the bottom.
constexpr int kTemplateWidth = 280;
constexpr int kTemplateHeight = 341;
constexpr int kStatusHeight = 12;
constexpr int kUploadBarWidth = 80;

}  // namespace

MainWindow::~MainWindow() {
    if (m_font)
        DeleteObject(m_font);
    if (m_accelerators)
        DestroyAcceleratorTable(m_accelerators);
}

bool MainWindow::Register(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconResource));
    if (!wc.hIcon)
        wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&wc) != 0;
}

bool MainWindow::Create(HINSTANCE instance, int show) {
    const std::wstring title = WideFromUtf8(kAppTitle);
    CreateWindowExW(WS_EX_ACCEPTFILES, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                    CreateMainMenu(), instance, this);
    if (!m_hwnd)
        return false;
    m_accelerators = CreateMainAccelerators();
    if (!RestoreWindowPlace(m_hwnd, show))
        ShowWindow(m_hwnd, show);
    UpdateWindow(m_hwnd);
    return true;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->HandleMessage(hwnd, message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_SIZE, OnSize);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_NOTIFY, OnNotify);
        HANDLE_MSG(hwnd, WM_DROPFILES, OnDropFiles);
        HANDLE_MSG(hwnd, WM_CLOSE, OnClose);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
        HANDLE_MSG(hwnd, WM_TIMER, OnTimer);
        HANDLE_MSG(hwnd, WM_INITMENUPOPUP, OnInitMenuPopup);
        case WM_DPICHANGED:
            ApplyDpiChange(hwnd, m_font, wParam, lParam);
            return 0;
        case SerialTransfer::kUploadMessage:
            OnUploadMessage(reinterpret_cast<std::string*>(lParam));
            return 0;
        case SerialTransfer::kUploadFinished:
            OnUploadFinished(wParam);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The window opens at dialog 102's size plus the menu and toolbar, no
// taller than the screen leaves room for.
BOOL MainWindow::OnCreate(HWND hwnd, LPCREATESTRUCT) {
    g_comSetDlg.m_settings = LoadComSettings(LocalIniPath());
    m_font = CreateUiFont(hwnd);
    m_toolBar = CreateMainToolBar(hwnd, kToolBarId);
    m_pane.Create(hwnd, kPaneId, m_font);
    m_status = CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd,
        reinterpret_cast<HMENU>(INT_PTR(kStatusId)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_status, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    m_uploadBar = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD, 0, 0, 0, 0, hwnd,
                                  reinterpret_cast<HMENU>(INT_PTR(kUploadBarId)),
                                  GetModuleHandleW(nullptr), nullptr);
    RECT bar{};
    GetWindowRect(m_toolBar, &bar);
    const SIZE client = DialogUnitsToPixels(hwnd, m_font, kTemplateWidth, kTemplateHeight);
    RECT frame{0, 0, client.cx, client.cy + (bar.bottom - bar.top)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_ACCEPTFILES);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int height = std::min(int(frame.bottom - frame.top), int(work.bottom - work.top));
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, height, SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

// The toolbar along the top, the status line along the bottom, the pane between.
void MainWindow::OnSize(HWND, UINT, int width, int height) {
    SendMessageW(m_toolBar, TB_AUTOSIZE, 0, 0);
    RECT bar{};
    GetWindowRect(m_toolBar, &bar);
    const int top = bar.bottom - bar.top;
    const int statusHeight = DialogUnitsToPixels(m_hwnd, m_font, 0, kStatusHeight).cy;
    const int margin = DialogUnitsToPixels(m_hwnd, m_font, 2, 2).cx;
    const int paneHeight = std::max(0, height - top - statusHeight - 2 * margin);
    MoveWindow(m_pane.Window(), margin, top, std::max(0, width - 2 * margin), paneHeight, TRUE);
    const int statusTop = top + paneHeight + margin;
    const int barWidth = IsWindowVisible(m_uploadBar)
                             ? DialogUnitsToPixels(m_hwnd, m_font, kUploadBarWidth, 0).cx
                             : 0;
    const int statusWidth = std::max(0, width - 2 * margin - barWidth);
    MoveWindow(m_status, margin, statusTop, statusWidth, statusHeight, TRUE);
    MoveWindow(m_uploadBar, margin + statusWidth, statusTop, barWidth, statusHeight, TRUE);
}

void MainWindow::OnCommand(HWND, int id, HWND, UINT) {
    const size_t recent = size_t(id - kRecentDownloadFirst);
    const size_t file = size_t(id - kRecentFileFirst);
    if (id >= kRecentDownloadFirst && recent < m_recentIds.size())
        RestoreDownload(m_recentIds[recent]);
    else if (id >= kRecentFileFirst && file < kMaxRecentFiles)
        OpenRecentFile(file);
    else
        RunCommand(RoutedCommandId(id));
}

void MainWindow::OnInitMenuPopup(HWND, HMENU menu, UINT, BOOL windowMenu) {
    if (windowMenu)
        return;
    if (IsRecentDownloadsMenu(menu))
        m_recentIds = FillRecentDownloadsMenu(menu);
    else if (IsRecentFilesMenu(menu))
        FillRecentFilesMenu(menu, UserIniPath());
}

// The toolbar's tooltips.
LRESULT MainWindow::OnNotify(HWND, int, NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW)
        return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    m_tipText = WideFromUtf8(TooltipFor(int(header->idFrom)));
    info->lpszText = m_tipText.data();
    return 0;
}

// A dropped file opens as 打开 opens it; of several, the first.
void MainWindow::OnDropFiles(HWND, HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(size_t(length) + 1, L'\0');
    const UINT got = DragQueryFileW(drop, 0, path.data(), length + 1);
    DragFinish(drop);
    if (got > 0)
        OpenPaneFile(Utf8FromWide(path.data(), got));
}

void MainWindow::OnClose(HWND) {
    OnFileExit();
}

void MainWindow::OnDestroy(HWND hwnd) {
    StopComm();
    FinishExportJobs();
    RememberWindowPlace(hwnd);
    PostQuitMessage(0);
}

// The pane now shows path (opened or saved; none for New or a download):
// the title bar names it and 最近打开的文件 lists it first.
void MainWindow::NoteFile(const std::string& path) {
    SetWindowText(m_hwnd, TitleForFile(path));
    if (path.empty())
        return;
    MakeFolders(UserConfigDir());
    AddRecentFile(UserIniPath(), path);
}

// The list as stored now, which the submenu showed when it opened.
void MainWindow::OpenRecentFile(size_t index) {
    const std::vector<std::string> files = LoadRecentFiles(UserIniPath());
    if (index < files.size())
        OpenPaneFile(files[index]);
}

void MainWindow::ShowStatus(const std::string& status) {
    SetOneLineText(m_status, status);
}

}  // namespace vm::win32
