#include "win/main_menu.h"

#include "common/wide_text_win32.h"
#include "dialogs/main_menu.h"
#include "dialogs/recent_downloads.h"
#include "dialogs/recent_files.h"

#include <commctrl.h>

namespace vm::win32 {
namespace {

// Mark the 最近下载 and 最近打开的文件 submenus, so that the window knows them when they open.
constexpr ULONG_PTR kRecentDownloadsMark = 0x5643;
constexpr ULONG_PTR kRecentFilesMark = 0x5646;
// The entry of a list that is still empty or not on this system yet.
const char* const kNothingYet = "（无）";

int StandardImage(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::New:
            return STD_FILENEW;
        case ToolIcon::Open:
            return STD_FILEOPEN;
        case ToolIcon::SaveAs:
            return STD_FILESAVE;
        case ToolIcon::Exit:
            return STD_DELETE;
        case ToolIcon::Upload:
            return STD_REDOW;
        case ToolIcon::Download:
            return STD_UNDO;
        case ToolIcon::Stop:
            return STD_DELETE;
    }
    return STD_FILENEW;
}

HMENU SubMenu(ULONG_PTR mark) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, WideFromUtf8(kNothingYet).c_str());
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = mark;
    SetMenuInfo(menu, &info);
    return menu;
}

bool HasMark(HMENU popup, ULONG_PTR mark) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    return GetMenuInfo(popup, &info) && info.dwMenuData == mark;
}

void ClearMenu(HMENU popup) {
    while (GetMenuItemCount(popup) > 0)
        DeleteMenu(popup, 0, MF_BYPOSITION);
}

void AppendItem(HMENU popup, const MenuItem& item) {
    std::string caption = item.caption;
    if (item.shortcut)
        caption += std::string("\t") + item.shortcut;
    const std::wstring wide = WideFromUtf8(caption);
    switch (item.entry) {
        case MenuEntry::Command:
            AppendMenuW(popup, MF_STRING, UINT_PTR(item.id), wide.c_str());
            break;
        case MenuEntry::Separator:
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            break;
        case MenuEntry::RecentDownloads:
        case MenuEntry::RecentFiles:
            AppendMenuW(popup, MF_POPUP,
                        reinterpret_cast<UINT_PTR>(SubMenu(item.entry == MenuEntry::RecentDownloads
                                                               ? kRecentDownloadsMark
                                                               : kRecentFilesMark)),
                        wide.c_str());
            break;
    }
}

// "Ctrl+N" or "Esc" as an accelerator for id; false for a shortcut of another form.
bool ParseShortcut(const char* shortcut, int id, ACCEL& accel) {
    const std::string text = shortcut;
    if (text == "Esc") {
        accel = ACCEL{FVIRTKEY, VK_ESCAPE, WORD(id)};
        return true;
    }
    if (text.size() != 6 || text.compare(0, 5, "Ctrl+") != 0)
        return false;
    accel = ACCEL{FVIRTKEY | FCONTROL, WORD(text[5]), WORD(id)};
    return true;
}

}  // namespace

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    const char* popupCaption = nullptr;
    for (const MenuItem& item : MainMenuItems()) {
        if (item.popup != popupCaption) {
            popup = CreatePopupMenu();
            popupCaption = item.popup;
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                        WideFromUtf8(item.popup).c_str());
        }
        AppendItem(popup, item);
    }
    return bar;
}

HACCEL CreateMainAccelerators() {
    std::vector<ACCEL> accels;
    for (const MenuItem& item : MainMenuItems()) {
        ACCEL accel{};
        if (item.shortcut && ParseShortcut(item.shortcut, item.id, accel))
            accels.push_back(accel);
    }
    return CreateAcceleratorTableW(accels.data(), int(accels.size()));
}

void EnableStopTransfer(HWND window, HWND toolBar, bool running) {
    EnableMenuItem(GetMenu(window), kStopTransferId,
                   MF_BYCOMMAND | (running ? MF_ENABLED : MF_GRAYED));
    SendMessageW(toolBar, TB_ENABLEBUTTON, kStopTransferButtonId,
                 MAKELONG(running ? TRUE : FALSE, 0));
}

HWND CreateMainToolBar(HWND parent, int controlId) {
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(INT_PTR(controlId)),
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageW(bar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
    std::vector<TBBUTTON> buttons;
    for (const ToolBarButton& row : MainToolBarButtons()) {
        TBBUTTON b{};
        b.iBitmap = StandardImage(row.icon);
        b.idCommand = row.id;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = BTNS_BUTTON;
        buttons.push_back(b);
    }
    SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

std::string CommandCaption(int id) {
    for (const MenuItem& item : MainMenuItems()) {
        if (item.entry == MenuEntry::Command && item.id == id)
            return item.caption;
    }
    return {};
}

bool IsRecentDownloadsMenu(HMENU popup) {
    return HasMark(popup, kRecentDownloadsMark);
}

bool IsRecentFilesMenu(HMENU popup) {
    return HasMark(popup, kRecentFilesMark);
}

void FillRecentFilesMenu(HMENU popup, const std::string& iniPath) {
    ClearMenu(popup);
    const std::vector<std::string> files = LoadRecentFiles(iniPath);
    for (size_t i = 0; i < files.size(); ++i)
        AppendMenuW(popup, MF_STRING, UINT_PTR(kRecentFileFirst + int(i)),
                    WideFromUtf8(RecentFileCaption(i, files[i])).c_str());
    if (files.empty())
        AppendMenuW(popup, MF_STRING | MF_GRAYED, 0, WideFromUtf8(kNothingYet).c_str());
}

std::vector<std::string> FillRecentDownloadsMenu(HMENU popup) {
    ClearMenu(popup);
    std::vector<std::string> ids;
    for (const RecentDownload& download : ListRecentDownloads()) {
        if (kRecentDownloadFirst + int(ids.size()) > kRecentDownloadLast)
            break;
        AppendMenuW(popup, MF_STRING, UINT_PTR(kRecentDownloadFirst + int(ids.size())),
                    WideFromUtf8(download.caption).c_str());
        ids.push_back(download.id);
    }
    if (ids.empty())
        AppendMenuW(popup, MF_STRING | MF_GRAYED, 0, WideFromUtf8(kNoDownloadsCaption).c_str());
    return ids;
}

}  // namespace vm::win32
