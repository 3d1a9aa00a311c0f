#pragma once
// The main window's commands in one table: menu 129 (popups, captions, ids,
// handlers) and toolbar 179 (button ids and the command each is routed to).

#include <vector>

namespace vm {

class CMainDlg;
using CommandHandler = void (*)(CMainDlg&);

// One row of menu 129. A row with id 0 is a separator of its popup.
struct MenuCommand {
    const char* popup;
    int id;
    const char* caption;
    CommandHandler handler;
};

enum class ToolIcon { New, Open, SaveAs, Exit, Upload, Download, Stop };

// 停止 (menu, toolbar button, Esc): ends the running download or upload;
// enabled only while one runs.
inline constexpr int kStopTransferId = 32815;
inline constexpr int kStopTransferButtonId = 1006;

// One button of toolbar 179: its own id (whose string is its tooltip) and the
// menu command it runs.
struct ToolBarButton {
    int id;
    int commandId;
    ToolIcon icon;
};

const std::vector<MenuCommand>& MainMenuCommands();
const std::vector<ToolBarButton>& MainToolBarButtons();

// The menu command a menu or toolbar id runs (toolbar New, Open, Save As and
// Exit have ids of their own), or 0 for an unknown id.
int RoutedCommandId(int id);

// The handler of a menu or toolbar id, or nullptr.
CommandHandler FindCommandHandler(int id);

}  // namespace vm
