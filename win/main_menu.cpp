#include "win/main_menu.h"

#include "common/wide_text_win32.h"

#include <commctrl.h>

namespace vm::win32 {
namespace {

const char* const kFile = "文件(&F)";
const char* const kComm = "串口(&C)";
const char* const kConvert = "转换(&Z)";
const char* const kTools = "工具(&T)";
const char* const kHelp = "帮助(&H)";

}  // namespace

const std::vector<MenuRow>& MainMenuRows() {
    static const std::vector<MenuRow> rows = {
        {kFile, 32783, "新建"},
        {kFile, 32772, "打开"},
        {kFile, 32774, "另存为"},
        {kFile, 0, nullptr},
        {kFile, 32775, "退出"},
        {kComm, 1004, "下载"},
        {kComm, 1005, "上传"},
        {kComm, 0, nullptr},
        {kComm, 32803, "串口设置"},
        {kConvert, 1026, "下载数据转换"},
        {kConvert, 0, nullptr},
        {kConvert, 32802, "万能数据转换"},
        {kConvert, 0, nullptr},
        {kConvert, 32901, "预览"},
        {kTools, 32789, "记事本"},
        {kTools, 32790, "计算器"},
        {kTools, 0, nullptr},
        {kTools, 32811, "打印坐标文件"},
        {kTools, 32812, "保存为EXCEL文件"},
        {kTools, 32813, "保存为DXF文件"},
        {kHelp, 32782, "帮助"},
    };
    return rows;
}

// The Save As button has no tooltip of its own.
const std::vector<ToolRow>& MainToolRows() {
    static const std::vector<ToolRow> rows = {
        {32771, 32783, STD_FILENEW, nullptr},
        {1001, 32772, STD_FILEOPEN, "Open"},
        {32814, 32774, STD_FILESAVE, nullptr},
        {1003, 32775, STD_DELETE, "Exit"},
        {1005, 1005, STD_REDOW, "Upload Coordinate to Total station"},
        {1004, 1004, STD_UNDO, "Download Coordinate from Total station"},
    };
    return rows;
}

int RoutedCommand(int id) {
    if (id == 0)
        return 0;
    for (const ToolRow& t : MainToolRows()) {
        if (t.id == id)
            return t.commandId;
    }
    for (const MenuRow& m : MainMenuRows()) {
        if (m.id == id)
            return id;
    }
    return 0;
}

std::string CommandCaption(int id) {
    for (const MenuRow& m : MainMenuRows()) {
        if (m.id == id && m.caption)
            return m.caption;
    }
    return {};
}

const char* ToolTipOf(int id) {
    for (const ToolRow& t : MainToolRows()) {
        if (t.id == id)
            return t.tooltip;
    }
    return nullptr;
}

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    const char* popupCaption = nullptr;
    for (const MenuRow& row : MainMenuRows()) {
        if (row.popup != popupCaption) {
            popup = CreatePopupMenu();
            popupCaption = row.popup;
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                        WideFromUtf8(row.popup).c_str());
        }
        if (row.id == 0)
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(popup, MF_STRING, UINT_PTR(row.id), WideFromUtf8(row.caption).c_str());
    }
    return bar;
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
    for (const ToolRow& row : MainToolRows()) {
        TBBUTTON b{};
        b.iBitmap = row.image;
        b.idCommand = row.id;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = BTNS_BUTTON;
        buttons.push_back(b);
    }
    SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

}  // namespace vm::win32
