#include "win/dialog_host.h"

#include "common/wide_text_win32.h"
#include "win/desktop.h"
#include "win/dialog_template.h"
#include "win/point_preview_window.h"
#include "win/window_text.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vm::win32 {
namespace {

// Posted by a finished background job to the window's thread; lParam: the job.
constexpr UINT kJobDoneMessage = WM_APP + 1;
constexpr int kToolTipWidthPixels = 400;

bool IsMultiLine(ControlKind kind) {
    return kind == ControlKind::PathBox || kind == ControlKind::StatusBox;
}

}  // namespace

int RunDialog(HWND owner, Dialog& dialog) {
    const std::vector<WORD> words = BuildDialogTemplate(dialog.Template());
    Win32DialogHost host(dialog);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
        &Win32DialogHost::DialogProc, reinterpret_cast<LPARAM>(&host));
    return result < 0 ? kIdCancel : int(result);
}

Win32DialogHost::~Win32DialogHost() {
    OnDestroy();
}

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return reinterpret_cast<Win32DialogHost*>(lParam)->OnInitDialog(hwnd);
    }
    auto* host = reinterpret_cast<Win32DialogHost*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!host)
        return FALSE;
    switch (message) {
        case WM_COMMAND:
            host->OnCommand(GET_WM_COMMAND_ID(wParam, lParam), GET_WM_COMMAND_HWND(wParam, lParam),
                            GET_WM_COMMAND_CMD(wParam, lParam));
            return TRUE;
        case WM_CLOSE:
            if (host->m_dialog.OnCloseRequested(*host))
                host->Close(kIdCancel);
            return TRUE;
        case WM_TIMER:
            host->m_dialog.OnTimer(*host, int(wParam));
            return TRUE;
        case kJobDoneMessage:
            host->OnJobDone(reinterpret_cast<Job*>(lParam));
            return TRUE;
        case WM_SETCURSOR:
            return host->OnSetCursor();
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_NCMOUSEMOVE:
        case WM_MOVE:
        case WM_ACTIVATE:
            host->m_hints.OnDialogMessage(message, wParam);
            return FALSE;
        case WM_NOTIFY:
            return host->OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_DESTROY:
            host->OnDestroy();
            return FALSE;
    }
    return FALSE;
}

BOOL Win32DialogHost::OnInitDialog(HWND hwnd) {
    m_hwnd = hwnd;
    const DialogTemplate& t = m_dialog.Template();
    for (size_t i = 0; i < t.rowCount; ++i) {
        if (t.rows[i].kind == ControlKind::Table)
            ListView_SetExtendedListViewStyle(Control(t.rows[i].id), LVS_EX_FULLROWSELECT);
    }
    m_hints.Attach(hwnd, t, m_dialog.Hints());
    m_dialog.OnOpened(*this);
    return TRUE;
}

ControlKind Win32DialogHost::KindOf(int id) const {
    const ControlRow* row = m_dialog.Template().Find(id);
    return row ? row->kind : ControlKind::Label;
}

void Win32DialogHost::OnCommand(int id, HWND control, UINT code) {
    if (id == IDCANCEL && code == BN_CLICKED && !Control(kIdCancel)) {
        OnCancel(control);  // Escape in a dialog without a Cancel button
        return;
    }
    if (!control)
        return;
    switch (code) {
        case BN_CLICKED:
            m_dialog.OnClicked(*this, id);
            break;
        case EN_CHANGE:
            if (m_settingText == 0)
                m_dialog.OnTextChanged(*this, id);
            break;
        case CBN_SELCHANGE:  // == LBN_SELCHANGE
            m_dialog.OnSelectionChanged(*this, id);
            break;
        case EN_KILLFOCUS:
        case CBN_KILLFOCUS:
        case BN_KILLFOCUS:
            m_dialog.OnFocusLeft(*this, id);
            break;
    }
}

void Win32DialogHost::OnCancel(HWND) {
    if (m_dialog.OnCloseRequested(*this))
        Close(kIdCancel);
}

void Win32DialogHost::OnJobDone(Job* job) {
    for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it) {
        if (&*it != job)
            continue;
        it->thread.join();
        std::function<void()> done = std::move(it->done);
        m_jobs.erase(it);
        if (done)
            done();
        return;
    }
}

BOOL Win32DialogHost::OnSetCursor() {
    if (!m_busy)
        return FALSE;
    ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

// Timers stop and background work ends before the window goes, so a file
// being written is finished; its "done" no longer runs.
void Win32DialogHost::OnDestroy() {
    for (int timer : m_timers)
        KillTimer(m_hwnd, UINT_PTR(timer));
    m_timers.clear();
    for (Job& job : m_jobs) {
        if (job.thread.joinable())
            job.thread.join();
    }
    m_jobs.clear();
    if (m_tips)
        DestroyWindow(m_tips);
    m_tips = nullptr;
}

std::string Win32DialogHost::Text(int id) const {
    const ControlKind kind = KindOf(id);
    HWND control = Control(id);
    if (kind == ControlKind::List || kind == ControlKind::ListBox) {
        const int index = Selection(id);
        return index < 0 ? std::string() : ItemText(control, kind == ControlKind::List, index);
    }
    std::string text = WindowText(control);
    return IsMultiLine(kind) ? WithLfLineEnds(text) : text;
}

BOOL Win32DialogHost::OnNotify(NMHDR* header) {
    if (m_cellNotes.OnNotify(header))
        return TRUE;
    if (header->code != NM_CUSTOMDRAW || KindOf(int(header->idFrom)) != ControlKind::Table)
        return FALSE;
    SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT,
                      m_cellNotes.OnDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header)));
    return TRUE;
}

void Win32DialogHost::SetText(int id, const std::string& text) {
    const ControlKind kind = KindOf(id);
    HWND control = Control(id);
    if (kind == ControlKind::List) {
        const std::wstring wide = WideFromUtf8(text);
        ComboBox_SetCurSel(control, ComboBox_FindStringExact(control, -1, wide.c_str()));
        return;
    }
    ++m_settingText;
    SetWindowText(control, IsMultiLine(kind) ? WithCrLfLineEnds(text) : text);
    --m_settingText;
    if (kind == ControlKind::ShownPath)  // the file name, at the end, in view
        SendMessageW(control, EM_SETSEL, WPARAM(-1), LPARAM(-1));
}

bool Win32DialogHost::Checked(int id) const {
    return Button_GetCheck(Control(id)) == BST_CHECKED;
}

void Win32DialogHost::SetChecked(int id, bool checked) {
    Button_SetCheck(Control(id), checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32DialogHost::SetItems(int id, const std::vector<std::string>& items) {
    HWND control = Control(id);
    const bool combo = KindOf(id) == ControlKind::List;
    SendMessageW(control, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        const std::wstring wide = WideFromUtf8(item);
        SendMessageW(control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

int Win32DialogHost::ItemCount(int id) const {
    const bool combo = KindOf(id) == ControlKind::List;
    return int(SendMessageW(Control(id), combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

int Win32DialogHost::Selection(int id) const {
    const bool combo = KindOf(id) == ControlKind::List;
    const LRESULT index = SendMessageW(Control(id), combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : int(index);
}

void Win32DialogHost::SetSelection(int id, int index) {
    const bool combo = KindOf(id) == ControlKind::List;
    SendMessageW(Control(id), combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(index), 0);
}

void Win32DialogHost::SetTable(int id, const std::vector<std::string>& header,
                               const std::vector<std::vector<std::string>>& rows) {
    m_cellNotes.Clear(Control(id));
    FillListView(Control(id), header, rows);
}

void Win32DialogHost::MarkCell(int id, int row, int column, const std::string& note) {
    m_cellNotes.Mark(m_hwnd, Control(id), row, column, note);
}

bool Win32DialogHost::IsEnabled(int id) const {
    return IsWindowEnabled(Control(id));
}

void Win32DialogHost::SetEnabled(int id, bool enabled) {
    EnableWindow(Control(id), enabled);
}

void Win32DialogHost::SetVisible(int id, bool visible) {
    ShowWindow(Control(id), visible ? SW_SHOW : SW_HIDE);
}

void Win32DialogHost::SetFocus(int id) {
    SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

void Win32DialogHost::SetToolTip(int id, const std::string& text) {
    if (!m_tips)
        m_tips = CreateToolTips(m_hwnd, kToolTipWidthPixels);
    SetControlToolTip(m_tips, m_hwnd, Control(id), text);
}

void Win32DialogHost::SetTitle(const std::string& title) {
    SetWindowText(m_hwnd, title);
}

void Win32DialogHost::SetBusy(bool busy) {
    m_busy = busy;
    ::SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

MsgResult Win32DialogHost::MessageBox(const std::string& text, const std::string& caption,
                                      MsgButtons buttons, MsgIcon icon) {
    return desktop().MessageBox(m_hwnd, text, caption, buttons, icon);
}

std::optional<std::string> Win32DialogHost::AskOpenFile(const FileDialogRequest& request) {
    return desktop().AskOpenFile(m_hwnd, request);
}

std::optional<std::string> Win32DialogHost::AskSaveFile(const FileDialogRequest& request) {
    return desktop().AskSaveFile(m_hwnd, request);
}

bool Win32DialogHost::ViewFile(const std::string& path) {
    return desktop().ViewFile(m_hwnd, path);
}

void Win32DialogHost::PreviewPoints(const std::string& path, PointFileKind kind,
                                    const LayoutColumns& layout) {
    PointPreviewWindow::Open(m_hwnd, path, kind, layout);
}

void Win32DialogHost::StartTimer(int timerId, int intervalMs) {
    SetTimer(m_hwnd, UINT_PTR(timerId), UINT(intervalMs), nullptr);
    m_timers.insert(timerId);
}

void Win32DialogHost::StopTimer(int timerId) {
    KillTimer(m_hwnd, UINT_PTR(timerId));
    m_timers.erase(timerId);
}

void Win32DialogHost::RunInBackground(std::function<void()> work, std::function<void()> done) {
    Job& job = m_jobs.emplace_back();
    job.done = std::move(done);
    HWND hwnd = m_hwnd;
    Job* posted = &job;
    job.thread = std::thread([work = std::move(work), hwnd, posted] {
        work();
        PostMessageW(hwnd, kJobDoneMessage, 0, reinterpret_cast<LPARAM>(posted));
    });
}

int Win32DialogHost::RunModal(Dialog& child) {
    return RunDialog(m_hwnd, child);
}

void Win32DialogHost::Close(int result) {
    EndDialog(m_hwnd, result);
}

}  // namespace vm::win32
