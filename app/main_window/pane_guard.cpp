#include "app/main_window/pane_guard.h"

#include <QObject>

#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "dialogs/pane_files.h"
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

    CPaneKeeping keeping;
    CJournalRecorder journal;
};

PaneGuardHooks GuardHooks(CMainDlg& dlg) {
    PaneGuardHooks hooks;
    hooks.ask = [&dlg](const std::string& question, MsgButtons buttons) {
        return desktop().MessageBox(&dlg, question, std::string(), buttons, MsgIcon::Question);
    };
    hooks.chooseSavePath = [&dlg] {
        return desktop().GetSaveFileName(&dlg, PaneFileDialogRequest());
    };
    hooks.showError = [&dlg](const std::string& message) {
        desktop().MessageBox(&dlg, message, std::string(), MsgButtons::Ok, MsgIcon::Stop);
    };
    hooks.showStatus = [&dlg](const std::string& status) {
        dlg.m_strStatus = status;
        dlg.UpdateData(false);
    };
    return hooks;
}

}  // namespace

CJournalRecorder& WindowJournal(CMainDlg& dlg) {
    return CPaneKeeper::Of(dlg).journal;
}

void NotePaneKept(CMainDlg& dlg, PaneKeptIn kind, const std::string& where) {
    CPaneKeeper::Of(dlg).keeping.Note(dlg.m_strText, kind, where);
}

void NotePaneKeptAsBefore(CMainDlg& dlg) {
    CPaneKeeper::Of(dlg).keeping.NoteAsBefore(dlg.m_strText);
}

PaneKeptIn PaneKeptKind(CMainDlg& dlg) {
    return CPaneKeeper::Of(dlg).keeping.KindOf(dlg.m_strText);
}

std::string PaneKeptWhere(CMainDlg& dlg) {
    return CPaneKeeper::Of(dlg).keeping.WhereOf(dlg.m_strText);
}

bool PaneHoldsUnkeptText(CMainDlg& dlg) {
    return CPaneKeeper::Of(dlg).keeping.HoldsUnkept(dlg.m_strText);
}

bool ConfirmDiscardPane(CMainDlg& dlg) {
    dlg.UpdateData(true);
    return ConfirmDiscardPane(CPaneKeeper::Of(dlg).keeping, dlg.m_strText, GuardHooks(dlg));
}

bool ConfirmLeavingPane(CMainDlg& dlg, const std::string& plainQuestion) {
    dlg.UpdateData(true);
    return ConfirmLeavingPane(CPaneKeeper::Of(dlg).keeping, dlg.m_strText, GuardHooks(dlg),
                              plainQuestion);
}

}  // namespace vm
