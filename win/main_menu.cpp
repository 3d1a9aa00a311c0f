#include "win/main_menu.h"

#include "common/wide_text_win32.h"
#include "dialogs/main_menu.h"
#include "dialogs/recent_downloads.h"

#include <commctrl.h>

namespace vm::win32 {
namespace {

// Marks the 最近下载 submenu, so that the window knows it when it opens.
constexpr ULONG_PTR kRecentDownloadsMark = 0x5643;
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
    }
    return STD_FILENEW;
}

HMENU SubMenu(bool recentDownloads) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, WideFromUtf8(kNothingYet).c_str());
    if (recentDownloads) {
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = kRecentDownloadsMark;
        SetMenuInfo(menu, &info);
    }
    return menu;
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
            AppendMenuW(
                popup, MF_POPUP,
                reinterpret_cast<UINT_PTR>(SubMenu(item.entry == MenuEntry::RecentDownloads)),
                wide.c_str());
            break;
    }
}

// "Ctrl+N" as an accelerator for id; false for a shortcut of another form.
bool ParseShortcut(const char* shortcut, int id, ACCEL& accel) {
    const std::string text = shortcut;
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
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    return GetMenuInfo(popup, &info) && info.dwMenuData == kRecentDownloadsMark;
}

std::vector<std::string> FillRecentDownloadsMenu(HMENU popup) {
    while (GetMenuItemCount(popup) > 0)
        DeleteMenu(popup, 0, MF_BYPOSITION);
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
