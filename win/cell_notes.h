#pragma once
// Marked cells of a dialog's tables (report list views): drawn on the
// highlight the Linux program uses, and their note shown as a tool tip while
// the mouse rests on the cell.

#include "win/win32.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <tuple>

namespace vm::win32 {

class CellNotes {
public:
    CellNotes() = default;
    ~CellNotes();
    CellNotes(const CellNotes&) = delete;
    CellNotes& operator=(const CellNotes&) = delete;

    // A table of dialog was filled anew: none of its cells is marked.
    void Clear(HWND table);
    void Mark(HWND dialog, HWND table, int row, int column, const std::string& note);

    // NM_CUSTOMDRAW of a table: the result for the dialog to return.
    LRESULT OnDraw(NMLVCUSTOMDRAW* draw) const;
    // TTN_GETDISPINFOW of the tool tip: the note of the cell under the mouse.
    bool OnNotify(NMHDR* header);

private:
    using Cell = std::tuple<int, int, int>;  // table id, row, column
    static LRESULT CALLBACK TableProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
    void Watch(HWND dialog, HWND table);
    Cell CellUnderMouse(HWND table) const;

    std::map<Cell, std::wstring> m_notes;
    HWND m_tips = nullptr;
    Cell m_tipCell{0, -1, -1};  // the cell whose note the tool tip shows
};

}  // namespace vm::win32
