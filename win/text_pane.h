#pragma once
// The main window's text pane (control 1007): an edit control showing the
// pane's bytes, GBK or UTF-8, and giving them back. Bytes the user did not
// edit come back exactly as they were given, whatever they hold.

#include "win/win32.h"

#include <string>

namespace vm::win32 {

class TextPane {
public:
    void Create(HWND parent, int controlId, HFONT font);
    HWND Window() const { return m_edit; }

    void Show(const std::string& bytes);
    // The bytes shown, or, once the user edited them, the edited text in the
    // encoding the pane was shown in.
    std::string Bytes() const;

private:
    HWND m_edit = nullptr;
    std::string m_bytes;
    bool m_utf8 = false;
};

}  // namespace vm::win32
