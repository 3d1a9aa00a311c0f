#include "app/main_window/recent_downloads_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/control_id.h"
#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/pane_guard.h"
#include "serial/download_journal.h"

namespace vm {
namespace {

constexpr int kExitCommandId = 32775;
const char* const kMenuName = "recentDownloads";
const char* const kRestoreNoteProperty = "restoreNote";

void FillMenu(CMainDlg& dlg, QMenu* menu) {
    menu->clear();
    const std::vector<JournalEntry> entries = ListJournal();
    if (entries.empty()) {
        menu->addAction(QString::fromUtf8("（没有下载记录）"))->setEnabled(false);
        return;
    }
    std::vector<std::string> ids;
    // Newest first, as a recent-files list reads.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const std::string id = it->id;
        QAction* action = menu->addAction(QString::fromUtf8(RecentDownloadCaption(*it)));
        QObject::connect(action, &QAction::triggered, &dlg,
                         [&dlg, id] { RestoreDownloadToPane(dlg, id); });
        ids.push_back(id);
    }
    MarkJournalSeen(ids);
}

std::string RestoredStatus(const JournalEntry& entry, size_t bytes) {
    return "已恢复下载 " + entry.startTime + "（" + std::to_string(bytes) + " 字节，" +
           JournalEndingText(entry) + "）：" + entry.dataPath;
}

}  // namespace

std::string RecentDownloadCaption(const JournalEntry& e) {
    std::string time = e.startTime;
    if (time.size() > 10 && time[10] == 'T')
        time[10] = ' ';
    return time + "  " + e.device + "  " + std::to_string(e.lines) + " 行  " +
           std::to_string(e.bytes) + " 字节  " + JournalEndingText(e);
}

void AddRecentDownloadsMenu(CMainDlg& dlg) {
    QAction* exitAction = FindControl<QAction>(dlg.menuBar(), kExitCommandId);
    if (!exitAction || exitAction->associatedObjects().isEmpty())
        return;
    QMenu* fileMenu = qobject_cast<QMenu*>(exitAction->associatedObjects().first());
    if (!fileMenu)
        return;
    QMenu* menu = new QMenu(QString::fromUtf8(kRecentDownloadsCaption), fileMenu);
    menu->setObjectName(QString::fromLatin1(kMenuName));
    const QList<QAction*> actions = fileMenu->actions();
    const qsizetype exitAt = actions.indexOf(exitAction);
    QAction* before =
        exitAt > 0 && actions[exitAt - 1]->isSeparator() ? actions[exitAt - 1] : exitAction;
    fileMenu->insertMenu(before, menu);
    QObject::connect(menu, &QMenu::aboutToShow, &dlg, [&dlg, menu] { FillMenu(dlg, menu); });
}

QMenu* RecentDownloadsMenu(const CMainDlg& dlg) {
    return dlg.menuBar() ? dlg.menuBar()->findChild<QMenu*>(QString::fromLatin1(kMenuName))
                         : nullptr;
}

bool RestoreDownloadToPane(CMainDlg& dlg, const std::string& id) {
    const std::optional<JournalEntry> entry = FindJournalEntry(id);
    std::string bytes, message;
    if (!entry || !ReadJournalBytes(*entry, bytes, message)) {
        desktop().MessageBox(&dlg, entry ? message : "找不到这条下载记录：" + id, std::string(),
                             MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (!ConfirmDiscardPane(dlg))
        return false;
    dlg.StopComm();
    dlg.m_strText = JournalPaneText(bytes);
    dlg.m_strStatus = RestoredStatus(*entry, bytes.size());
    dlg.UpdateData(false);
    NotePaneKept(dlg, PaneKeptIn::Journal, entry->dataPath);
    dlg.setProperty(kRestoreNoteProperty, QString::fromStdString(dlg.m_strStatus));
    MarkJournalSeen({entry->id});
    return true;
}

std::string RestoreNoteOf(CMainDlg& dlg) {
    // The note ends with the data path of the download it restored.
    const std::string note = dlg.property(kRestoreNoteProperty).toString().toStdString();
    const std::string where = PaneKeptWhere(dlg);
    const bool stillShown = PaneKeptKind(dlg) == PaneKeptIn::Journal && !where.empty() &&
                            note.size() >= where.size() &&
                            note.compare(note.size() - where.size(), where.size(), where) == 0;
    return stillShown ? note : std::string();
}

void OfferInterruptedDownload(CMainDlg& dlg) {
    const std::optional<JournalEntry> entry = UnseenInterruptedDownload();
    if (!entry)
        return;
    MarkJournalSeen({entry->id});
    const std::string question = "上次的下载没有正常结束（" + RecentDownloadCaption(*entry) +
                                 "）。\n要把收到的数据恢复到文本窗口吗？\n以后也可以从“文件 ▸ " +
                                 "最近下载”恢复。";
    if (desktop().MessageBox(&dlg, question, std::string(), MsgButtons::YesNo, MsgIcon::Question) ==
        MsgResult::Yes) {
        RestoreDownloadToPane(dlg, entry->id);
    }
}

}  // namespace vm
