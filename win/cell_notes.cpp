#include "win/cell_notes.h"

#include <climits>

#include "common/wide_text_win32.h"
#include "win/window_text.h"

namespace vm::win32 {
namespace {

constexpr COLORREF kMarkedCellColour = RGB(255, 230, 150);
constexpr int kNoteWidthPixels = 400;

}  // namespace

CellNotes::~CellNotes() {
    if (m_tips)
        DestroyWindow(m_tips);
}

void CellNotes::Clear(HWND table) {
    const int id = GetDlgCtrlID(table);
    m_notes.erase(m_notes.lower_bound({id, INT_MIN, INT_MIN}),
                  m_notes.upper_bound({id, INT_MAX, INT_MAX}));
}

void CellNotes::Mark(HWND dialog, HWND table, int row, int column, const std::string& note) {
    m_notes[{GetDlgCtrlID(table), row, column}] = WideFromUtf8(note);
    Watch(dialog, table);
    InvalidateRect(table, nullptr, FALSE);
}

// The table becomes a tool of the tool tip whose text is asked for each time
// it shows; the mouse moving onto another cell takes the shown note away.
void CellNotes::Watch(HWND dialog, HWND table) {
    if (!m_tips)
        m_tips = CreateToolTips(dialog, kNoteWidthPixels);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(table);
    if (SendMessageW(m_tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        return;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SetWindowSubclass(table, &TableProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CellNotes::TableProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
    auto* notes = reinterpret_cast<CellNotes*>(self);
    if (message == WM_MOUSEMOVE && notes->CellUnderMouse(hwnd) != notes->m_tipCell)
        SendMessageW(notes->m_tips, TTM_POP, 0, 0);
    else if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, &TableProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

CellNotes::Cell CellNotes::CellUnderMouse(HWND table) const {
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(table, &hit.pt);
    if (SendMessageW(table, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0)
        return {GetDlgCtrlID(table), -1, -1};
    return {GetDlgCtrlID(table), hit.iItem, hit.iSubItem};
}

bool CellNotes::OnNotify(NMHDR* header) {
    if (!m_tips || header->hwndFrom != m_tips || header->code != TTN_GETDISPINFOW)
        return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    m_tipCell = CellUnderMouse(reinterpret_cast<HWND>(header->idFrom));
    const auto note = m_notes.find(m_tipCell);
    info->lpszText = note == m_notes.end() ? const_cast<wchar_t*>(L"") : note->second.data();
    return true;
}

LRESULT CellNotes::OnDraw(NMLVCUSTOMDRAW* draw) const {
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const Cell cell{int(draw->nmcd.hdr.idFrom), int(draw->nmcd.dwItemSpec), draw->iSubItem};
            draw->clrTextBk = m_notes.count(cell) ? kMarkedCellColour : CLR_DEFAULT;
            return CDRF_NEWFONT;
        }
    }
    return CDRF_DODEFAULT;
}

}  // namespace vm::win32
