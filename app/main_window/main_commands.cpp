#include "app/main_window/main_commands.h"

#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"

namespace vm {
namespace {

const char* const kFile = "文件(&F)";
const char* const kComm = "串口(&C)";
const char* const kConvert = "转换(&Z)";
const char* const kTools = "工具(&T)";
const char* const kHelp = "帮助(&H)";

}  // namespace

const std::vector<MenuCommand>& MainMenuCommands() {
    static const std::vector<MenuCommand> commands = {
        {kFile, 32783, "新建", [](CMainDlg& d) { d.OnFileNew(); }},
        {kFile, 32772, "打开", [](CMainDlg& d) { d.OnFileOpen(); }},
        {kFile, 32774, "另存为", [](CMainDlg& d) { d.OnFileSaveAs(); }},
        {kFile, 0, nullptr, nullptr},
        {kFile, 32775, "退出", [](CMainDlg& d) { d.OnFileExit(); }},
        {kComm, 1004, "下载", &OnDownload},
        {kComm, 1005, "上传", &OnUpload},
        {kComm, kStopTransferId, "停止", &OnStopTransfer},
        {kComm, 0, nullptr, nullptr},
        {kComm, 32803, "串口设置", [](CMainDlg& d) { d.OnComSetting(); }},
        {kConvert, 1026, "下载数据转换", &OnDownloadConvert},
        {kConvert, 0, nullptr, nullptr},
        {kConvert, 32802, "万能数据转换", &OnUniversalConvert},
        {kConvert, 0, nullptr, nullptr},
        {kConvert, 32901, "预览", &OnPointPreview},
        {kTools, 32789, "记事本", [](CMainDlg& d) { d.OnNotepad(); }},
        {kTools, 32790, "计算器", [](CMainDlg& d) { d.OnCalculator(); }},
        {kTools, 0, nullptr, nullptr},
        {kTools, 32811, "打印坐标文件", &OnPrintTable},
        {kTools, 32812, "保存为EXCEL文件", &OnSaveExcel},
        {kTools, 32813, "保存为DXF文件", &OnSaveDxf},
        {kHelp, 32782, "帮助", [](CMainDlg& d) { d.OnHelp(); }},
    };
    return commands;
}

const std::vector<ToolBarButton>& MainToolBarButtons() {
    static const std::vector<ToolBarButton> buttons = {
        {32771, 32783, ToolIcon::New},
        {1001, 32772, ToolIcon::Open},
        {32814, 32774, ToolIcon::SaveAs},
        {1003, 32775, ToolIcon::Exit},
        {1005, 1005, ToolIcon::Upload},
        {1004, 1004, ToolIcon::Download},
        {kStopTransferButtonId, kStopTransferId, ToolIcon::Stop},
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
    for (const MenuCommand& c : MainMenuCommands()) {
        if (c.id == id)
            return id;
    }
    return 0;
}

CommandHandler FindCommandHandler(int id) {
    const int routed = RoutedCommandId(id);
    for (const MenuCommand& c : MainMenuCommands()) {
        if (routed != 0 && c.id == routed)
            return c.handler;
    }
    return nullptr;
}

void ShowNotBuiltYet(CMainDlg& dlg, const char* caption) {
    dlg.m_strStatus = std::string("“") + caption + "”功能尚未完成，敬请期待。";
    dlg.UpdateData(false);
}

}  // namespace vm
