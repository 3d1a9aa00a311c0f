#include "app/main_window/pane_guard.h"

#include <QObject>

#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "dialogs/pane_files.h"
#include "common/pane_text.h"
#include "serial/download_journal.h"

namespace vm {
namespace {

// What the window remembers about its pane, a child object of the window so
// that it ends with it. A download still running then is recorded as
// interrupted, but seen: the user had it in the pane.
class CPaneKeeper : public QObject {
public:
    explicit CPaneKeeper(CMainDlg& dlg) : QObject(&dlg) {
        setObjectName(QStringLiteral("paneKeeper"));
    }
    ~CPaneKeeper() override {
        if (journal.IsRecording())
            journal.End(false, true);
    }

    static CPaneKeeper& Of(CMainDlg& dlg) {
        auto* keeper =
            dlg.findChild<CPaneKeeper*>(QStringLiteral("paneKeeper"), Qt::FindDirectChildrenOnly);
        return keeper ? *keeper : *new CPaneKeeper(dlg);
    }

    std::string keptText;
    PaneKeptIn kind = PaneKeptIn::Nowhere;
    std::string where;
    CJournalRecorder journal;
};

bool SavePaneFirst(CMainDlg& dlg) {
    const std::optional<std::string> path =
        desktop().GetSaveFileName(&dlg, PaneFileDialogRequest());
    if (!path)
        return false;
    FileError error;
    if (!WritePaneToFile(*path, dlg.m_strText, &error)) {
        desktop().MessageBox(&dlg, error.message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    NotePaneKept(dlg, PaneKeptIn::File, *path);
    return true;
}

}  // namespace

CJournalRecorder& WindowJournal(CMainDlg& dlg) {
    return CPaneKeeper::Of(dlg).journal;
}

void NotePaneKept(CMainDlg& dlg, PaneKeptIn kind, const std::string& where) {
    CPaneKeeper& keeper = CPaneKeeper::Of(dlg);
    keeper.keptText = dlg.m_strText;
    keeper.kind = kind;
    keeper.where = where;
}

void NotePaneKeptAsBefore(CMainDlg& dlg) {
    CPaneKeeper::Of(dlg).keptText = dlg.m_strText;
}

PaneKeptIn PaneKeptKind(CMainDlg& dlg) {
    const CPaneKeeper& keeper = CPaneKeeper::Of(dlg);
    return dlg.m_strText == keeper.keptText ? keeper.kind : PaneKeptIn::Nowhere;
}

std::string PaneKeptWhere(CMainDlg& dlg) {
    return PaneKeptKind(dlg) == PaneKeptIn::Nowhere ? std::string() : CPaneKeeper::Of(dlg).where;
}

bool PaneHoldsUnkeptText(CMainDlg& dlg) {
    return dlg.m_strText.find_first_not_of(" \t\r\n") != std::string::npos &&
           PaneKeptKind(dlg) == PaneKeptIn::Nowhere;
}

bool ConfirmDiscardPane(CMainDlg& dlg) {
    dlg.UpdateData(true);
    if (dlg.m_strText.find_first_not_of(" \t\r\n") == std::string::npos)
        return true;
    switch (PaneKeptKind(dlg)) {
        case PaneKeptIn::File:
            return true;
        case PaneKeptIn::Journal:
            dlg.m_strStatus = JournalKeptNote(PaneKeptWhere(dlg));
            dlg.UpdateData(false);
            return true;
        case PaneKeptIn::Nowhere:
            break;
    }
    switch (desktop().MessageBox(&dlg, kUnsavedPaneQuestion, std::string(), MsgButtons::YesNoCancel,
                                 MsgIcon::Question)) {
        case MsgResult::Yes:
            return SavePaneFirst(dlg);
        case MsgResult::No:
            return true;
        default:
            return false;
    }
}

}  // namespace vm
