#pragma once
// The unsaved-pane guard (dialogs/pane_guard.h) for the Qt window: the
// window's CPaneKeeping, its journal, and the desktop's questions.

#include <string>

#include "dialogs/pane_guard.h"

namespace vm {

class CMainDlg;
class CJournalRecorder;

// Takes the user's edits and returns true when the pane may be replaced;
// false when the user chose Cancel (or Yes and then did not save).
bool ConfirmDiscardPane(CMainDlg& dlg);

// New and Exit: the guard's question for text kept nowhere, else plainQuestion.
bool ConfirmLeavingPane(CMainDlg& dlg, const std::string& plainQuestion);

// The pane as it is now (m_strText) is kept at where: the path of a file
// opened or saved, or a journal entry's data file.
void NotePaneKept(CMainDlg& dlg, PaneKeptIn kind, const std::string& where);

// The pane's new text is kept where its text was kept before (an upload's
// transcript grows from the file it sends).
void NotePaneKeptAsBefore(CMainDlg& dlg);

// The pane holds text that is kept nowhere and is more than blanks and line
// breaks: what the guard asks about.
bool PaneHoldsUnkeptText(CMainDlg& dlg);

// Whether the pane's current text (m_strText) is kept somewhere, and where.
PaneKeptIn PaneKeptKind(CMainDlg& dlg);
std::string PaneKeptWhere(CMainDlg& dlg);

// The journal of the window's downloads (one running at a time).
CJournalRecorder& WindowJournal(CMainDlg& dlg);

}  // namespace vm
