#pragma once
// The main window's text pane (control 1007): an edit control showing the
// pane's bytes, GBK or UTF-8, and giving them back. Bytes the user did not
// edit come back exactly as they were given, whatever they hold (the rule of
// common/pane_codec.h, as on Linux). While a download only adds bytes at the
// end, only the new text is decoded and appended, so a long download or a
// large pane does not make each tick slower. A long text (a large file) goes
// into the control in steps on a timer of the parent window, so the window
// keeps answering while it fills; meanwhile the pane is read-only and Bytes()
// gives the whole text.

#include "common/pane_codec.h"
#include "win/win32.h"

#include <string>

namespace vm::win32 {

class TextPane {
public:
    // The parent's timer whose ticks call LoadNextStep().
    static constexpr UINT_PTR kLoadTimer = 2;

    void Create(HWND parent, int controlId, HFONT font);
    HWND Window() const { return m_edit; }

    // Puts the next step of a long text into the control; the last step ends
    // the timer and makes the pane editable again.
    void LoadNextStep();
    bool Loading() const { return !m_pending.empty(); }

    void Show(const std::string& bytes);
    // The bytes shown, or, once the user edited them, the edited text in the
    // encoding the pane was shown in.
    std::string Bytes() const;

private:
    bool Modified() const;
    bool Append(const std::string& bytes);
    void ShowWhole(const std::string& bytes);
    void StopLoading();
    void AppendKeepingView(const std::wstring& text);

    static constexpr size_t kUnknown = size_t(-1);

    HWND m_parent = nullptr;
    HWND m_edit = nullptr;
    std::string m_bytes;
    PaneEncoding m_encoding = PaneEncoding::Gbk;
    // The bytes after the last cut (see LastPaneCut) are shown provisionally
    // and decoded again with the next bytes: a character cut off by a tick,
    // or a CR whose LF is still to come, then shows right.
    size_t m_cut = 0;
    size_t m_tailChars = kUnknown;  // edit characters shown for them
    std::wstring m_pending;         // the whole control text while it fills
    size_t m_pendingAt = 0;         // how much of it the control shows
};

}  // namespace vm::win32
