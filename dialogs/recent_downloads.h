#pragma once
// 文件 ▸ 最近下载: the download journal as a list the user picks a download
// from, a journaled download read back for the text pane, and the offer at
// start-up to restore a download that did not end normally (the program was
// killed, crashed or lost power while receiving). The main window of each
// desktop program shows these; what they say and mark is decided here.

#include <optional>
#include <string>
#include <vector>

namespace vm {

struct JournalEntry;

inline constexpr const char* kNoDownloadsCaption = "（没有下载记录）";

// "2026-12-07 00:40:12  /dev/ttyUSB0  201 行  12345 字节  正常结束".
std::string RecentDownloadCaption(const JournalEntry& entry);

struct RecentDownload {
    std::string id;
    std::string caption;
};

// The list's entries, newest first, as a recent-files list reads; what it
// lists counts as seen. Empty: the list shows kNoDownloadsCaption, disabled.
std::vector<RecentDownload> ListRecentDownloads();

// A journaled download read for the pane, byte-exact.
struct JournalRestore {
    bool ok = false;
    std::string message;   // why it cannot be restored (when !ok)
    std::string paneText;  // what the pane shows
    std::string status;    // the status line after restoring
    std::string dataPath;  // the journal file that keeps the pane's bytes
};
JournalRestore ReadDownloadForPane(const std::string& id);

struct RestoreOffer {
    std::string id;
    std::string question;  // asked with Yes and No
};
// At start-up: the newest download that ended without its end rule and that
// nobody has seen since, marked seen now so that it is offered once.
std::optional<RestoreOffer> TakeRestoreOffer();

}  // namespace vm
