#include "win/text_pane.h"

#include "common/wide_text_win32.h"

namespace vm::win32 {
namespace {

// The edit control's text for bytes: line breaks as CR LF.
std::wstring ControlText(std::string_view bytes, PaneEncoding encoding) {
    const std::wstring wide = WideFromUtf8(DecodePaneBytesToUtf8(bytes, encoding));
    std::wstring shown;
    shown.reserve(wide.size() + wide.size() / 32);
    for (wchar_t c : wide) {
        if (c == L'\n')
            shown += L'\r';
        shown += c;
    }
    return shown;
}

// The control's text back as the codec's UTF-8: CR LF as '\n'.
std::string CodecText(const std::wstring& shown) {
    std::wstring wide;
    wide.reserve(shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != L'\r' || i + 1 >= shown.size() || shown[i + 1] != L'\n')
            wide += shown[i];
    }
    return Utf8FromWide(wide);
}

// Control characters put in per step. Each step also costs the edit control
// a walk over the lines it holds (wine's more than Windows'), so smaller steps
// answer sooner but fill a large file more slowly.
constexpr size_t kStepChars = 64 * 1024;

// Where the step from `from` ends: after the last line break within the step
// when there is one, and never between a surrogate pair's or a CR LF's halves.
size_t StepEnd(const std::wstring& text, size_t from) {
    if (text.size() - from <= kStepChars)
        return text.size();
    size_t end = from + kStepChars;
    const size_t lf = text.rfind(L'\n', end - 1);
    if (lf != std::wstring::npos && lf >= from)
        return lf + 1;
    if (IS_HIGH_SURROGATE(text[end - 1]) || text[end - 1] == L'\r')
        --end;
    return end;
}

bool StartsWith(const std::string& bytes, const std::string& start) {
    return bytes.size() > start.size() && bytes.compare(0, start.size(), start) == 0;
}

}  // namespace

void TextPane::Create(HWND parent, int controlId, HFONT font) {
    m_parent = parent;
    m_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                 ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(controlId)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The default limit is 32K characters; a pane holds whole files.
    SendMessageW(m_edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

bool TextPane::Modified() const {
    return SendMessageW(m_edit, EM_GETMODIFY, 0, 0) != 0;
}

void TextPane::Show(const std::string& bytes) {
    if (Modified() || !Append(bytes))
        ShowWhole(bytes);
}

void TextPane::ShowWhole(const std::string& bytes) {
    if (bytes == m_bytes && !Modified())
        return;
    StopLoading();
    // Bytes still arriving: a character cut off at their end keeps the encoding.
    m_encoding = StartsWith(bytes, m_bytes) && !m_bytes.empty() ? DetectGrowingPaneEncoding(bytes)
                                                                : DetectPaneEncoding(bytes);
    std::wstring text = ControlText(bytes, m_encoding);
    m_bytes = bytes;
    m_cut = LastPaneCut(bytes);
    m_tailChars = kUnknown;
    const size_t first = StepEnd(text, 0);
    SetWindowTextW(m_edit, (first == text.size() ? text : text.substr(0, first)).c_str());
    SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
    if (first == text.size())
        return;
    SendMessageW(m_edit, EM_SETREADONLY, TRUE, 0);
    m_pending = std::move(text);
    m_pendingAt = first;
    SetTimer(m_parent, kLoadTimer, 0, nullptr);
}

void TextPane::LoadNextStep() {
    if (!Loading()) {
        KillTimer(m_parent, kLoadTimer);
        return;
    }
    const size_t end = StepEnd(m_pending, m_pendingAt);
    AppendKeepingView(m_pending.substr(m_pendingAt, end - m_pendingAt));
    m_pendingAt = end;
    if (end == m_pending.size())
        StopLoading();
}

// Appends text at the end while the user reads or selects elsewhere: their
// selection and the first line they see stay as they were.
void TextPane::AppendKeepingView(const std::wstring& text) {
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const LRESULT top = SendMessageW(m_edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(m_edit, WM_SETREDRAW, FALSE, 0);
    const int end = GetWindowTextLengthW(m_edit);
    SendMessageW(m_edit, EM_SETSEL, WPARAM(end), LPARAM(end));
    SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(m_edit, EM_SETSEL, WPARAM(from), LPARAM(to));
    const LRESULT shift = top - SendMessageW(m_edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(m_edit, EM_LINESCROLL, 0, shift);
    SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
    SendMessageW(m_edit, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_edit, nullptr, TRUE);
}

// Ends the filling of the pane where it stands (complete, or about to be replaced).
void TextPane::StopLoading() {
    if (!Loading())
        return;
    KillTimer(m_parent, kLoadTimer);
    m_pending = std::wstring();
    m_pendingAt = 0;
    SendMessageW(m_edit, EM_SETREADONLY, FALSE, 0);
    SendMessageW(m_edit, EM_EMPTYUNDOBUFFER, 0, 0);
}

bool TextPane::Append(const std::string& bytes) {
    if (Loading() || m_bytes.empty() || !StartsWith(bytes, m_bytes) ||
        DetectGrowingPaneEncoding(bytes) != m_encoding)
        return false;
    const std::string_view all(bytes);
    if (m_tailChars == kUnknown)
        m_tailChars = ControlText(all.substr(m_cut, m_bytes.size() - m_cut), m_encoding).size();
    const size_t cut = m_cut + LastPaneCut(all.substr(m_cut));
    const std::wstring tail = ControlText(all.substr(cut), m_encoding);
    const std::wstring text = ControlText(all.substr(m_cut, cut - m_cut), m_encoding) + tail;

    const int end = GetWindowTextLengthW(m_edit);
    SendMessageW(m_edit, EM_SETSEL, WPARAM(end - int(m_tailChars)), LPARAM(end));
    SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
    m_bytes = bytes;
    m_cut = cut;
    m_tailChars = tail.size();
    return true;
}

std::string TextPane::Bytes() const {
    if (!Modified())
        return m_bytes;
    const int length = GetWindowTextLengthW(m_edit);
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(m_edit, text.data(), length + 1)));
    return EncodePaneUtf8(CodecText(text), m_encoding);
}

}  // namespace vm::win32
