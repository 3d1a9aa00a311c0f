#include "win/text_pane.h"

#include "common/code_page.h"
#include "common/wide_text_win32.h"

namespace vm::win32 {
namespace {

// NUL and a lone CR cannot stand in an edit control as themselves: they show
// as private-use characters that give their byte back.
constexpr wchar_t kByteEscapeBase = 0xF700;

std::wstring ShownText(const std::string& bytes, bool utf8) {
    const std::wstring wide = WideFromUtf8(utf8 ? bytes : GbkToUtf8(bytes));
    std::wstring shown;
    shown.reserve(wide.size() + wide.size() / 32);
    for (size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        const bool crlf = c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n';
        if (c == L'\0' || (c == L'\r' && !crlf)) {
            shown += wchar_t(kByteEscapeBase + c);
        } else if (c == L'\n' && (i == 0 || wide[i - 1] != L'\r')) {
            shown += L"\r\n";
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string EncodeRun(const std::wstring& run, bool utf8) {
    const std::string text = Utf8FromWide(run);
    return utf8 ? text : Utf8ToGbk(text);
}

}  // namespace

void TextPane::Create(HWND parent, int controlId, HFONT font) {
    m_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                 ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(controlId)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(m_edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

void TextPane::Show(const std::string& bytes) {
    if (bytes == m_bytes && !SendMessageW(m_edit, EM_GETMODIFY, 0, 0))
        return;
    m_bytes = bytes;
    m_utf8 = !IsAscii(bytes) && IsValidUtf8(bytes);
    SetWindowTextW(m_edit, ShownText(bytes, m_utf8).c_str());
    SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
}

std::string TextPane::Bytes() const {
    if (!SendMessageW(m_edit, EM_GETMODIFY, 0, 0))
        return m_bytes;
    const int length = GetWindowTextLengthW(m_edit);
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(m_edit, text.data(), length + 1)));
    std::string bytes;
    std::wstring run;
    for (wchar_t c : text) {
        if (c < kByteEscapeBase || c > kByteEscapeBase + 0xFF) {
            run += c;
            continue;
        }
        bytes += EncodeRun(run, m_utf8);
        run.clear();
        bytes += char(c - kByteEscapeBase);
    }
    return bytes + EncodeRun(run, m_utf8);
}

}  // namespace vm::win32
