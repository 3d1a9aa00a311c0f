#pragma once
// Nothing the user has in the pane is lost without a question. The pane's
// text is "kept" when it is somewhere on disk: the file it was opened from or
// saved to, or the download journal. Kept text may be replaced at once (for
// journaled downloads the status line says where to restore it from); text
// that is not kept (typed, edited, or a download whose journal could not be
// written) is replaced only after the user answers a Yes/No/Cancel question:
// Yes saves it first (Save As), No discards it, Cancel keeps it.
//
// Every command that replaces or discards the pane calls ConfirmDiscardPane
// first: New, Open, Upload, Download, Exit, restoring a download, and any
// other way of loading a file into the pane.

#include <string>

namespace vm {

class CMainDlg;
class CJournalRecorder;

enum class PaneKeptIn { Nowhere, File, Journal };

// Takes the user's edits and returns true when the pane may be replaced;
// false when the user chose Cancel (or Yes and then did not save).
bool ConfirmDiscardPane(CMainDlg& dlg);

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

inline constexpr const char* kUnsavedPaneQuestion =
    "文本窗口中的内容还没有保存，也不在下载记录中。\n要先保存吗？\n"
    "“是”保存后继续，“否”放弃这些内容，“取消”什么也不做。";

}  // namespace vm
