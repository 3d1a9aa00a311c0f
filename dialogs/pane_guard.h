#pragma once
// Nothing the user has in the pane is lost without a question. The pane's
// text is "kept" when it is somewhere on disk: the file it was opened from or
// saved to, or the download journal. Kept text may be replaced at once (for
// journaled downloads the status line says where to restore it from); text
// that is not kept (typed, edited, or a download whose journal could not be
// written) is replaced only after the user answers a Yes/No/Cancel question:
// Yes saves it first (Save As), No discards it, Cancel keeps it.
//
// Both desktop programs hold one CPaneKeeping per window and ask through
// PaneGuardHooks; every command that replaces or discards the pane (New,
// Open, a dropped or recent file, Upload, Download, Exit, restoring a
// download) asks ConfirmDiscardPane first.

#include <functional>
#include <optional>
#include <string>

#include "dialogs/desktop_requests.h"

namespace vm {

enum class PaneKeptIn { Nowhere, File, Journal };

// Where the pane's text was last kept, and which text that was: once the
// user edits it, it is kept nowhere.
class CPaneKeeping {
public:
    // text is kept at where: a file opened or saved, or a journal's data file.
    void Note(const std::string& text, PaneKeptIn kind, const std::string& where);
    // text is kept where the text before it was (an upload's transcript grows
    // from the file it sends).
    void NoteAsBefore(const std::string& text) { m_text = text; }
    PaneKeptIn KindOf(const std::string& text) const;
    std::string WhereOf(const std::string& text) const;
    // More than blanks and line breaks, kept nowhere: what the guard asks about.
    bool HoldsUnkept(const std::string& text) const;

private:
    std::string m_text;
    PaneKeptIn m_kind = PaneKeptIn::Nowhere;
    std::string m_where;
};

// How the guard reaches the desktop.
struct PaneGuardHooks {
    std::function<MsgResult(const std::string& question, MsgButtons buttons)> ask;
    // Save As for the pane: the chosen path, or nothing when cancelled.
    std::function<std::optional<std::string>()> chooseSavePath;
    std::function<void(const std::string& message)> showError;
    std::function<void(const std::string& status)> showStatus;
};

// True when the pane's text may be replaced; false when the user chose
// Cancel, or Yes and then did not save (or the file could not be written).
bool ConfirmDiscardPane(CPaneKeeping& keeping, const std::string& text,
                        const PaneGuardHooks& hooks);

// New and Exit: text kept nowhere gets the guard's question instead of
// plainQuestion (Yes/No), so the user answers once.
bool ConfirmLeavingPane(CPaneKeeping& keeping, const std::string& text, const PaneGuardHooks& hooks,
                        const std::string& plainQuestion);

inline constexpr const char* kUnsavedPaneQuestion =
    "文本窗口中的内容还没有保存，也不在下载记录中。\n要先保存吗？\n"
    "“是”保存后继续，“否”放弃这些内容，“取消”什么也不做。";

}  // namespace vm
