#pragma once
// What each command of the main window's menu and toolbar runs in the Qt
// program (the table of ids, captions and shortcuts is dialogs/main_menu.h).

namespace vm {

class CMainDlg;
using CommandHandler = void (*)(CMainDlg&);

// The handler of a menu or toolbar id, or nullptr.
CommandHandler FindCommandHandler(int id);

}  // namespace vm
