#include "dialogs/pane_guard.h"

#include "common/pane_text.h"
#include "serial/download_journal.h"

namespace vm {
namespace {

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

bool SaveFirst(CPaneKeeping& keeping, const std::string& text, const PaneGuardHooks& hooks) {
    const std::optional<std::string> path = hooks.chooseSavePath();
    if (!path)
        return false;
    FileError error;
    if (!WritePaneToFile(*path, text, &error)) {
        hooks.showError(error.message);
        return false;
    }
    keeping.Note(text, PaneKeptIn::File, *path);
    return true;
}

}  // namespace

void CPaneKeeping::Note(const std::string& text, PaneKeptIn kind, const std::string& where) {
    m_text = text;
    m_kind = kind;
    m_where = where;
}

PaneKeptIn CPaneKeeping::KindOf(const std::string& text) const {
    return text == m_text ? m_kind : PaneKeptIn::Nowhere;
}

std::string CPaneKeeping::WhereOf(const std::string& text) const {
    return KindOf(text) == PaneKeptIn::Nowhere ? std::string() : m_where;
}

bool CPaneKeeping::HoldsUnkept(const std::string& text) const {
    return !IsBlank(text) && KindOf(text) == PaneKeptIn::Nowhere;
}

bool ConfirmDiscardPane(CPaneKeeping& keeping, const std::string& text,
                        const PaneGuardHooks& hooks) {
    if (IsBlank(text))
        return true;
    switch (keeping.KindOf(text)) {
        case PaneKeptIn::File:
            return true;
        case PaneKeptIn::Journal:
            hooks.showStatus(JournalKeptNote(keeping.WhereOf(text)));
            return true;
        case PaneKeptIn::Nowhere:
            break;
    }
    switch (hooks.ask(kUnsavedPaneQuestion, MsgButtons::YesNoCancel)) {
        case MsgResult::Yes:
            return SaveFirst(keeping, text, hooks);
        case MsgResult::No:
            return true;
        default:
            return false;
    }
}

bool ConfirmLeavingPane(CPaneKeeping& keeping, const std::string& text, const PaneGuardHooks& hooks,
                        const std::string& plainQuestion) {
    if (keeping.HoldsUnkept(text))
        return ConfirmDiscardPane(keeping, text, hooks);
    return hooks.ask(plainQuestion, MsgButtons::YesNo) == MsgResult::Yes;
}

}  // namespace vm
