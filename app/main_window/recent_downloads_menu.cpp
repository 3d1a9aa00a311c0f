#include "app/main_window/recent_downloads_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/pane_guard.h"
#include "dialogs/recent_downloads.h"
#include "serial/download_journal.h"

namespace vm {
namespace {

void FillMenu(CMainDlg& dlg, QMenu* menu) {
    menu->clear();
    const std::vector<RecentDownload> downloads = ListRecentDownloads();
    if (downloads.empty())
        menu->addAction(QString::fromUtf8(kNoDownloadsCaption))->setEnabled(false);
    for (const RecentDownload& download : downloads) {
        QAction* action = menu->addAction(QString::fromUtf8(download.caption));
        QObject::connect(action, &QAction::triggered, &dlg,
                         [&dlg, id = download.id] { RestoreDownloadToPane(dlg, id); });
    }
}

}  // namespace

void AddRecentDownloadsMenu(CMainDlg& dlg) {
    if (QMenu* menu = RecentDownloadsMenu(dlg))
        QObject::connect(menu, &QMenu::aboutToShow, &dlg, [&dlg, menu] { FillMenu(dlg, menu); });
}

QMenu* RecentDownloadsMenu(const CMainDlg& dlg) {
    return dlg.menuBar()
               ? dlg.menuBar()->findChild<QMenu*>(QString::fromLatin1(kRecentDownloadsMenuName))
               : nullptr;
}

bool RestoreDownloadToPane(CMainDlg& dlg, const std::string& id) {
    const JournalRestore restore = ReadDownloadForPane(id);
    if (!restore.ok) {
        desktop().MessageBox(&dlg, restore.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    if (!ConfirmDiscardPane(dlg))
        return false;
    dlg.StopComm();
    dlg.m_strText = restore.paneText;
    dlg.m_strStatus = restore.status;
    dlg.UpdateData(false);
    NotePaneKept(dlg, PaneKeptIn::Journal, restore.dataPath);
    MarkJournalSeen({id});
    return true;
}

void OfferInterruptedDownload(CMainDlg& dlg) {
    const std::optional<RestoreOffer> offer = TakeRestoreOffer();
    if (offer && desktop().MessageBox(&dlg, offer->question, std::string(), MsgButtons::YesNo,
                                      MsgIcon::Question) == MsgResult::Yes)
        RestoreDownloadToPane(dlg, offer->id);
}

}  // namespace vm
