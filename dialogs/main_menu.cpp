#include "dialogs/main_menu.h"

namespace vm {
namespace {

const char* const kFile = "文件(&F)";
const char* const kComm = "串口(&C)";
const char* const kConvert = "转换(&Z)";
const char* const kTools = "工具(&T)";
const char* const kHelp = "帮助(&H)";

constexpr MenuEntry kCmd = MenuEntry::Command;
constexpr MenuEntry kSep = MenuEntry::Separator;

}  // namespace

const std::vector<MenuItem>& MainMenuItems() {
    static const std::vector<MenuItem> items = {
        {kFile, kCmd, 32783, "新建", "Ctrl+N"},
        {kFile, kCmd, 32772, "打开", "Ctrl+O"},
        {kFile, kCmd, 32774, "另存为", "Ctrl+S"},
        {kFile, MenuEntry::RecentDownloads, 0, kRecentDownloadsCaption, nullptr},
        {kFile, MenuEntry::RecentFiles, 0, kRecentFilesCaption, nullptr},
        {kFile, kSep, 0, "", nullptr},
        {kFile, kCmd, 32775, "退出", "Ctrl+Q"},
        {kComm, kCmd, 1004, "下载", nullptr},
        {kComm, kCmd, 1005, "上传", nullptr},
        {kComm, kSep, 0, "", nullptr},
        {kComm, kCmd, 32803, "串口设置", nullptr},
        {kConvert, kCmd, 1026, "下载数据转换", nullptr},
        {kConvert, kSep, 0, "", nullptr},
        {kConvert, kCmd, 32802, "万能数据转换", nullptr},
        {kConvert, kSep, 0, "", nullptr},
        {kConvert, kCmd, 32901, "预览", nullptr},
        {kTools, kCmd, 32789, "记事本", nullptr},
        {kTools, kCmd, 32790, "计算器", nullptr},
        {kTools, kSep, 0, "", nullptr},
        {kTools, kCmd, 32811, "打印坐标文件", nullptr},
        {kTools, kCmd, 32812, "保存为EXCEL文件", nullptr},
        {kTools, kCmd, 32813, "保存为DXF文件", nullptr},
        {kHelp, kCmd, 32782, "帮助", nullptr},
    };
    return items;
}

const std::vector<ToolBarButton>& MainToolBarButtons() {
    static const std::vector<ToolBarButton> buttons = {
        {32771, 32783, ToolIcon::New},    {1001, 32772, ToolIcon::Open},
        {32814, 32774, ToolIcon::SaveAs}, {1003, 32775, ToolIcon::Exit},
        {1005, 1005, ToolIcon::Upload},   {1004, 1004, ToolIcon::Download},
    };
    return buttons;
}

int RoutedCommandId(int id) {
    if (id == 0)
        return 0;
    for (const ToolBarButton& b : MainToolBarButtons()) {
        if (b.id == id)
            return b.commandId;
    }
    for (const MenuItem& item : MainMenuItems()) {
        if (item.entry == MenuEntry::Command && item.id == id)
            return id;
    }
    return 0;
}

}  // namespace vm
