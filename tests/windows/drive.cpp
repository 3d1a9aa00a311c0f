// veltramarlin-drive.exe: drives the running veltramarlin.exe for the tests
// under wine, as a user would, by messages to its windows and controls by id.
//   wait                 until the main window shows (at most 30 s)
//   command ID           runs a menu or toolbar command (posted: a dialog it opens may stay)
//   text ID              prints a control's text of the main window, UTF-8
//   editable ID          until that control takes typing (at most 120 s): a
//                        large file has filled the pane
//   size ID              prints the width and height of a control of the main
//                        window (0: of the window itself)
//   dpi N FROM           tells the main window, now at FROM DPI, that it is on a
//                        monitor of N DPI
//   type ID TEXT         types TEXT into a control of the main window
//   key ID VK            presses the virtual key VK (decimal) in that control
//   dialog               prints the title of the dialog open over the main window
//   dialog-text ID       prints a control's text of that dialog
//   dialog-set ID TEXT   sets a control's text of that dialog, as if typed
//   dialog-select ID N   chooses item N of a drop-down list of that dialog
//   dialog-click ID      presses a button of that dialog
//   dialog-hover ID [ROW COLUMN]
//                        moves the mouse onto the middle of a control of that
//                        dialog (0: onto its bare top-left corner), or of a
//                        cell of that table
//   hint                 prints the lines of the hover hint shown, or nothing
//   tip                  prints the text of the tool tip shown, or nothing
//   dialog-close         asks that dialog to close
//   dialog-size ID       prints the client width and height of a control of that dialog
//   dialog-press ID X Y  clicks the left button at client pixel (X, Y) of that control
//   menu KEY             opens the menu bar's popup whose mnemonic is KEY
//   close                asks the main window to close
//   screenshot FILE      writes the whole screen as a 24-bit BMP
// Exit status 0, or 1 with a message when the window or control is not there.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "common/wide_text_win32.h"

namespace {

HWND MainWindow() {
    return FindWindowW(L"VeltraMarlinMainWindow", nullptr);
}

// The dialog open over the main window (waits up to 3 s for it), or nullptr.
// The point preview window, owned by the dialog that opened it, comes first.
HWND OpenDialog() {
    for (int i = 0; i < 60; ++i) {
        HWND preview = FindWindowW(L"VeltraMarlinPointPreview", nullptr);
        if (preview && IsWindowVisible(preview))
            return preview;
        HWND main = MainWindow();
        HWND popup = main ? GetLastActivePopup(main) : nullptr;
        if (popup && popup != main && IsWindowVisible(popup))
            return popup;
        Sleep(50);
    }
    return nullptr;
}

void Print(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), DWORD(text.size()), &written, nullptr);
}

// Sends a message whose lParam points to data, placed in the memory of the
// window's process (a message between processes does not carry what its
// pointer points to), and reads data back from there.
bool SendWithData(HWND window, UINT message, WPARAM wParam, void* data, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    void* there =
        process ? VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                : nullptr;
    const bool sent = there && WriteProcessMemory(process, there, data, size, nullptr) &&
                      (SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(there)),
                       ReadProcessMemory(process, there, data, size, nullptr));
    if (there)
        VirtualFreeEx(process, there, 0, MEM_RELEASE);
    if (process)
        CloseHandle(process);
    return sent;
}

// WM_GETTEXT itself: GetWindowText does not ask a control of another process.
std::string TextOf(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(size_t(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(window, WM_GETTEXT, WPARAM(length + 1), reinterpret_cast<LPARAM>(text.data()));
    return vm::win32::Utf8FromWide(text.data(), size_t(got > 0 ? got : 0));
}

int Fail(const char* what) {
    std::fprintf(stderr, "veltramarlin-drive: %s\n", what);
    return 1;
}

int Wait() {
    for (int i = 0; i < 600; ++i) {
        HWND main = MainWindow();
        if (main && IsWindowVisible(main))
            return 0;
        Sleep(50);
    }
    return Fail("the main window did not show");
}

int WaitEditable(HWND control) {
    for (int i = 0; control && i < 2400; ++i) {
        if (!(GetWindowLongW(control, GWL_STYLE) & ES_READONLY))
            return 0;
        Sleep(50);
    }
    return Fail(control ? "the control stayed read-only" : "no such control");
}

// The mouse onto a control, as the pointer moves there: the cursor goes, and
// the window under it hears of the movement.
int Hover(HWND dialog, int id, int row, int column) {
    HWND target = id ? GetDlgItem(dialog, id) : dialog;
    if (!target)
        return Fail("no such control");
    RECT r{LVIR_BOUNDS, column, 0, 0};
    if (row < 0)
        GetClientRect(target, &r);
    else if (!SendWithData(target, LVM_GETSUBITEMRECT, WPARAM(row), &r, sizeof r))
        return Fail("no such cell");
    POINT at = id ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2} : POINT{2, 2};
    ClientToScreen(target, &at);
    SetCursorPos(at.x, at.y);
    HWND under = WindowFromPoint(at);
    POINT local = at;
    ScreenToClient(under, &local);
    PostMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
    return 0;
}

// The text of the first visible window of class.
int PrintShown(const wchar_t* windowClass) {
    for (HWND w = FindWindowW(windowClass, nullptr); w;
         w = FindWindowExW(nullptr, w, windowClass, nullptr)) {
        if (IsWindowVisible(w)) {
            Print(TextOf(w));
            break;
        }
    }
    return 0;
}

// WM_DPICHANGED as the system sends it, suggesting the window grown alike.
int ChangeDpi(HWND main, int dpi, int from) {
    RECT r{};
    GetWindowRect(main, &r);
    RECT place{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, from),
               r.top + MulDiv(r.bottom - r.top, dpi, from)};
    return SendWithData(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), &place, sizeof place)
               ? 0
               : Fail("the program's memory could not be written");
}

int PrintControlText(HWND window, int id) {
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control)
        return Fail("no such control");
    Print(TextOf(control));
    return 0;
}

// Posted as the keyboard's messages are, so that the program's message loop
// sees them (and its accelerators, Esc among them, apply).
int Press(HWND control, bool key, const wchar_t* what) {
    if (!control)
        return Fail("no such control");
    if (key) {
        const WPARAM vk = WPARAM(_wtoi(what));
        PostMessageW(control, WM_KEYDOWN, vk, 1);
        PostMessageW(control, WM_KEYUP, vk, LPARAM(0xC0000001));
        return 0;
    }
    for (const wchar_t* c = what; *c; ++c)
        PostMessageW(control, WM_CHAR, WPARAM(*c), 1);
    return 0;
}

// The screen as a bottom-up 24-bit BMP.
int Screenshot(const wchar_t* path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD size = DWORD(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size),
                          0, 0, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = out != INVALID_HANDLE_VALUE &&
                    WriteFile(out, &file, sizeof file, &written, nullptr) &&
                    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                    WriteFile(out, bits, size, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok ? 0 : Fail("the screenshot was not written");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return Fail(
            "usage: wait | command ID | text ID | dialog | dialog-text ID | dialog-click ID | "
            "close");
    const std::wstring verb = argv[1];
    const int id = argc > 2 ? _wtoi(argv[2]) : 0;
    if (verb == L"wait")
        return Wait();
    if (verb == L"screenshot" && argc > 2)
        return Screenshot(argv[2]);
    HWND main = MainWindow();
    if (!main)
        return Fail("the program is not running");
    if (verb == L"command")
        return PostMessageW(main, WM_COMMAND, WPARAM(id), 0) ? 0 : Fail("not posted");
    if (verb == L"menu" && argc > 2)
        return PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(argv[2][0]))
                   ? 0
                   : Fail("not posted");
    if (verb == L"close")
        return PostMessageW(main, WM_CLOSE, 0, 0) ? 0 : Fail("not posted");
    if (verb == L"text")
        return PrintControlText(main, id);
    if (verb == L"size") {
        RECT r{};
        GetWindowRect(id ? GetDlgItem(main, id) : main, &r);
        Print(std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
        return 0;
    }
    if (verb == L"dpi" && argc > 3)
        return ChangeDpi(main, id, _wtoi(argv[3]));
    if (verb == L"editable")
        return WaitEditable(GetDlgItem(main, id));
    if ((verb == L"type" || verb == L"key") && argc > 3)
        return Press(GetDlgItem(main, id), verb == L"key", argv[3]);
    HWND dialog = OpenDialog();
    if (!dialog)
        return Fail("no dialog is open");
    if (verb == L"dialog") {
        Print(TextOf(dialog));
        return 0;
    }
    if (verb == L"dialog-text")
        return PrintControlText(dialog, id);
    if (verb == L"dialog-set" && argc > 3) {
        HWND control = GetDlgItem(dialog, id);
        if (!control)
            return Fail("no such control");
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        return 0;
    }
    if (verb == L"dialog-select" && argc > 3) {
        HWND list = GetDlgItem(dialog, id);
        if (!list)
            return Fail("no such control");
        SendMessageW(list, CB_SETCURSEL, WPARAM(_wtoi(argv[3])), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        return 0;
    }
    if (verb == L"dialog-size" || (verb == L"dialog-press" && argc > 4)) {
        HWND control = GetDlgItem(dialog, id);
        if (!control)
            return Fail("no such control");
        if (verb == L"dialog-size") {
            RECT r{};
            GetClientRect(control, &r);
            Print(std::to_string(r.right) + " " + std::to_string(r.bottom));
            return 0;
        }
        const LPARAM at = MAKELPARAM(_wtoi(argv[3]), _wtoi(argv[4]));
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
        return 0;
    }
    if (verb == L"dialog-hover")
        return Hover(dialog, id, argc > 4 ? _wtoi(argv[3]) : -1, argc > 4 ? _wtoi(argv[4]) : 0);
    if (verb == L"hint")
        return PrintShown(L"VeltraMarlinHintBox");
    if (verb == L"tip")
        return PrintShown(TOOLTIPS_CLASSW);
    if (verb == L"dialog-close")
        return PostMessageW(dialog, WM_CLOSE, 0, 0) ? 0 : Fail("not posted");
    if (verb == L"dialog-click") {
        HWND button = GetDlgItem(dialog, id);
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(button))
                   ? 0
                   : Fail("not posted");
    }
    return Fail("unknown verb");
}
