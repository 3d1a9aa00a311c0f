#include "dialogs/recent_downloads.h"

#include "serial/download_journal.h"

namespace vm {

std::string RecentDownloadCaption(const JournalEntry& e) {
    std::string time = e.startTime;
    if (time.size() > 10 && time[10] == 'T')
        time[10] = ' ';
    return time + "  " + e.device + "  " + std::to_string(e.lines) + " 行  " +
           std::to_string(e.bytes) + " 字节  " +
           (e.receiving  ? "接收中"
            : e.complete ? "正常结束"
                         : "中断");
}

std::vector<RecentDownload> ListRecentDownloads() {
    const std::vector<JournalEntry> entries = ListJournal();
    std::vector<RecentDownload> list;
    std::vector<std::string> ids;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        list.push_back({it->id, RecentDownloadCaption(*it)});
        ids.push_back(it->id);
    }
    if (!ids.empty())
        MarkJournalSeen(ids);
    return list;
}

JournalRestore ReadDownloadForPane(const std::string& id) {
    JournalRestore restore;
    const std::optional<JournalEntry> entry = FindJournalEntry(id);
    std::string bytes;
    if (!entry) {
        restore.message = "找不到这条下载记录：" + id;
        return restore;
    }
    if (!ReadJournalBytes(*entry, bytes, restore.message))
        return restore;
    restore.ok = true;
    restore.paneText = JournalPaneText(bytes);
    restore.status = "已恢复下载 " + entry->startTime + "（" + std::to_string(bytes.size()) +
                     " 字节，" + (entry->complete ? "正常结束" : "中断") + "）：" + entry->dataPath;
    restore.dataPath = entry->dataPath;
    return restore;
}

std::optional<RestoreOffer> TakeRestoreOffer() {
    const std::optional<JournalEntry> entry = UnseenInterruptedDownload();
    if (!entry)
        return std::nullopt;
    MarkJournalSeen({entry->id});
    return RestoreOffer{entry->id,
                        "上次的下载没有正常结束（" + RecentDownloadCaption(*entry) +
                            "）。\n要把收到的数据恢复到文本窗口吗？\n以后也可以从“文件 ▸ " +
                            "最近下载”恢复。"};
}

}  // namespace vm
