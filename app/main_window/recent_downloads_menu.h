#pragma once
// 文件 ▸ 最近下载 in the Qt main window: the submenu filled from the download
// journal each time it opens, a download restored into the pane, and the
// start-up offer to restore one that did not end normally.

#include <string>

class QMenu;

namespace vm {

class CMainDlg;

// Fills the 文件 menu's submenu afresh each time it opens.
void AddRecentDownloadsMenu(CMainDlg& dlg);

// The submenu (nullptr before the menu is made).
QMenu* RecentDownloadsMenu(const CMainDlg& dlg);

// Loads a journal entry into the pane, byte-exact, after the unsaved-pane
// guard; false when the guard was cancelled or the entry cannot be read.
bool RestoreDownloadToPane(CMainDlg& dlg, const std::string& id);

// At start-up: asks whether to restore a download that did not end normally;
// Yes loads it into the pane.
void OfferInterruptedDownload(CMainDlg& dlg);

}  // namespace vm
