#pragma once
// 文件 ▸ 最近下载: the download journal as a submenu of the main window, and
// the offer at start-up to restore a download that did not end normally
// (the program was killed, crashed or lost power while receiving).

#include <string>

class QMenu;

namespace vm {

class CMainDlg;
struct JournalEntry;

// Adds the submenu to the File menu, before Exit; it is filled afresh each
// time it opens, and what it lists counts as seen.
void AddRecentDownloadsMenu(CMainDlg& dlg);

// The submenu (nullptr before AddRecentDownloadsMenu).
QMenu* RecentDownloadsMenu(const CMainDlg& dlg);

// "2026-12-07 00:40:12  /dev/ttyUSB0  201 行  12345 字节  正常结束".
std::string RecentDownloadCaption(const JournalEntry& entry);

// Loads a journal entry into the pane, byte-exact, after the unsaved-pane
// guard; false when the guard was cancelled or the entry cannot be read.
bool RestoreDownloadToPane(CMainDlg& dlg, const std::string& id);

// The note that a restore put in the status line, while the pane still holds
// that restored download; empty once anything else took the pane's place.
std::string RestoreNoteOf(CMainDlg& dlg);

// At start-up: when a download ended without its end rule and nobody has
// seen it since, asks whether to restore it; Yes loads it into the pane.
void OfferInterruptedDownload(CMainDlg& dlg);

inline constexpr const char* kRecentDownloadsCaption = "最近下载";

}  // namespace vm
