#pragma once
// The main window's menu 129 and toolbar 179 as one table: each popup's
// entries in order with their command ids, captions and shortcuts, and the
// toolbar's buttons with the command each runs. Both desktop programs build
// their menu bar and toolbar from it and run a command by its id.

#include <vector>

namespace vm {

enum class MenuEntry {
    Command,          // runs the command with the entry's id
    Separator,        // a line between groups of entries
    RecentDownloads,  // 最近下载: the download journal, filled each time it opens
    RecentFiles,      // 最近打开的文件: the files last opened or saved
};

struct MenuItem {
    const char* popup;  // UTF-8 caption of the popup the entry is in
    MenuEntry entry;
    int id;                // the command's id; 0 for the others
    const char* caption;   // UTF-8; "" for a separator
    const char* shortcut;  // "Ctrl+N" style, or nullptr
};

enum class ToolIcon { New, Open, SaveAs, Exit, Upload, Download };

// One button of toolbar 179: its own id (whose string is its tooltip) and the
// menu command it runs.
struct ToolBarButton {
    int id;
    int commandId;
    ToolIcon icon;
};

const std::vector<MenuItem>& MainMenuItems();
const std::vector<ToolBarButton>& MainToolBarButtons();

// The menu command a menu or toolbar id runs (toolbar New, Open, Save As and
// Exit have ids of their own), or 0 for an unknown id.
int RoutedCommandId(int id);

inline constexpr const char* kRecentDownloadsCaption = "最近下载";
inline constexpr const char* kRecentFilesCaption = "最近打开的文件";

}  // namespace vm
