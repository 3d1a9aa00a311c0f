#pragma once
// UTF-8 texts in and out of Win32 controls, which hold UTF-16.

#include "win/win32.h"

#include <string>
#include <vector>

namespace vm::win32 {

std::string WindowText(HWND window);
void SetWindowText(HWND window, const std::string& text);
// A one-line control (the status line) shows a report's line breaks as
// spaces, as a line edit shows them, rather than as nothing.
void SetOneLineText(HWND window, const std::string& text);

// The text of item index of a combo box (combo) or a list box.
std::string ItemText(HWND list, bool combo, int index);

// Several-line edit controls break lines with CR LF; the descriptions with LF.
std::string WithCrLfLineEnds(const std::string& text);
std::string WithLfLineEnds(const std::string& text);

// A list view in report mode: the header's columns, then the rows of cells.
void FillListView(HWND view, const std::vector<std::string>& header,
                  const std::vector<std::vector<std::string>>& rows);

// A tool tip window for owner's controls, its texts wrapped at maxWidth pixels.
HWND CreateToolTips(HWND owner, int maxWidth);
// Sets (or, with an empty text, removes) control's tool tip in the tool tip window tips.
void SetControlToolTip(HWND tips, HWND owner, HWND control, const std::string& text);

}  // namespace vm::win32
