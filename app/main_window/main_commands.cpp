#include "app/main_window/main_commands.h"

#include <map>

#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "dialogs/main_menu.h"

namespace vm {
namespace {

const std::map<int, CommandHandler>& Handlers() {
    static const std::map<int, CommandHandler> handlers = {
        {32783, [](CMainDlg& d) { d.OnFileNew(); }},
        {32772, [](CMainDlg& d) { d.OnFileOpen(); }},
        {32774, [](CMainDlg& d) { d.OnFileSaveAs(); }},
        {32775, [](CMainDlg& d) { d.OnFileExit(); }},
        {1004, &OnDownload},
        {1005, &OnUpload},
        {32803, [](CMainDlg& d) { d.OnComSetting(); }},
        {1026, &OnDownloadConvert},
        {32802, &OnUniversalConvert},
        {32901, &OnPointPreview},
        {32789, [](CMainDlg& d) { d.OnNotepad(); }},
        {32790, [](CMainDlg& d) { d.OnCalculator(); }},
        {32811, &OnPrintTable},
        {32812, &OnSaveExcel},
        {32813, &OnSaveDxf},
        {32782, [](CMainDlg& d) { d.OnHelp(); }},
    };
    return handlers;
}

}  // namespace

CommandHandler FindCommandHandler(int id) {
    const auto it = Handlers().find(RoutedCommandId(id));
    return it == Handlers().end() ? nullptr : it->second;
}

}  // namespace vm
