#pragma once
// Menu 129 and toolbar 179 of the main window: ids and captions as the Linux
// program has them, and the Win32 menu and toolbar made from them.

#include "win/win32.h"

#include <string>
#include <vector>

namespace vm::win32 {

// One row of menu 129; id 0 is a separator of its popup.
struct MenuRow {
    const char* popup;
    int id;
    const char* caption;
};

// One toolbar button: its own id, the menu command it runs, its picture among
// the system's standard toolbar images and its tooltip.
struct ToolRow {
    int id;
    int commandId;
    int image;
    const char* tooltip;
};

const std::vector<MenuRow>& MainMenuRows();
const std::vector<ToolRow>& MainToolRows();

// The menu command a menu or toolbar id runs, or 0 for an unknown id.
int RoutedCommand(int id);
// The caption of a menu command, "" for an unknown id.
std::string CommandCaption(int id);

HMENU CreateMainMenu();
// The toolbar along the top of parent, with tooltips.
HWND CreateMainToolBar(HWND parent, int controlId);
// The tooltip text of a toolbar button id, nullptr when it has none.
const char* ToolTipOf(int id);

}  // namespace vm::win32
