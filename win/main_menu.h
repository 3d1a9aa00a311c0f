#pragma once
// Menu 129 and toolbar 179 of the main window made with Win32 from the shared
// table of ids, captions, shortcuts and commands; the shortcuts as an
// accelerator table; 文件 ▸ 最近下载 as a submenu filled when it opens.

#include "win/win32.h"

#include <string>
#include <vector>

namespace vm::win32 {

// The ids of the 最近下载 submenu's entries: kRecentDownloadFirst + index.
inline constexpr int kRecentDownloadFirst = 40000;
inline constexpr int kRecentDownloadLast = 40999;
// The ids of the 最近打开的文件 submenu's entries: kRecentFileFirst + index.
inline constexpr int kRecentFileFirst = 41000;

HMENU CreateMainMenu();
HACCEL CreateMainAccelerators();
// The toolbar along the top of parent, with tooltips.
HWND CreateMainToolBar(HWND parent, int controlId);

// 停止 in the menu and on the toolbar: enabled only while a transfer runs.
void EnableStopTransfer(HWND window, HWND toolBar, bool running);

// The caption of a menu command, "" for an unknown id.
std::string CommandCaption(int id);

// Whether popup is the 最近下载 submenu.
bool IsRecentDownloadsMenu(HMENU popup);
// Fills the 最近下载 submenu from the download journal; returns the ids of
// the downloads in the order of its entries.
std::vector<std::string> FillRecentDownloadsMenu(HMENU popup);
// Whether popup is the 最近打开的文件 submenu.
bool IsRecentFilesMenu(HMENU popup);
// Fills it from the list stored in iniPath, entry i with id kRecentFileFirst + i.
void FillRecentFilesMenu(HMENU popup, const std::string& iniPath);

}  // namespace vm::win32
