#include "app/main_window/pane_growth.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>

namespace vm {

qsizetype PaneGrowth::TailChars(const std::string& shown, size_t cut, PaneEncoding encoding) {
    if (shown.size() == m_size && cut == m_cut)
        return m_tailChars;  // the provisional text this object appended itself
    return DecodePaneBytes(std::string_view(shown).substr(cut), encoding).size();
}

bool PaneGrowth::Extends(const std::string& shown, const std::string& bytes) {
    return !shown.empty() && bytes.size() > shown.size() &&
           bytes.size() - shown.size() <= kMaxGrowth &&
           std::memcmp(bytes.data(), shown.data(), shown.size()) == 0;
}

bool PaneGrowth::Append(QPlainTextEdit& edit, const std::string& shown, const std::string& bytes,
                        PaneEncoding encoding) {
    if (!Extends(shown, bytes) || DetectGrowingPaneEncoding(bytes) != encoding)
        return false;
    const size_t oldCut = LastPaneCut(shown);
    const qsizetype oldTail = TailChars(shown, oldCut, encoding);
    const std::string_view all(bytes);
    const size_t cut = oldCut + LastPaneCut(all.substr(oldCut));
    const QString settled = DecodePaneBytes(all.substr(oldCut, cut - oldCut), encoding);
    const QString tail = DecodePaneBytes(all.substr(cut), encoding);

    QTextDocument* document = edit.document();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);  // as a rebuild would, without an undo step per tick
    // Positions count UTF-16 units and one per line break, as the decoded text does.
    const int end = document->characterCount() - 1;
    QTextCursor cursor(document);
    cursor.setPosition(end - static_cast<int>(oldTail));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(settled + tail);
    document->setUndoRedoEnabled(undo);
    document->setModified(false);

    m_cut = cut;
    m_size = bytes.size();
    m_tailChars = tail.size();
    return true;
}

}  // namespace vm
