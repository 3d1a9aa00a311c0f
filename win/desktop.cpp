#include "win/desktop.h"

#include "common/file_io.h"
#include "common/wide_text_win32.h"
#include "win/dialog_template.h"
#include "win/print_table_job.h"

#include <commdlg.h>

#include <memory>
#include <vector>

namespace vm::win32 {
namespace {

UINT ButtonsStyle(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return MB_YESNO;
        case MsgButtons::OkCancel:
            return MB_OKCANCEL;
        case MsgButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case MsgButtons::Ok:
            break;
    }
    return MB_OK;
}

UINT IconStyle(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Question:
            return MB_ICONQUESTION;
        case MsgIcon::Stop:
            return MB_ICONSTOP;
        case MsgIcon::Information:
            return MB_ICONINFORMATION;
        case MsgIcon::Warning:
            return MB_ICONWARNING;
        case MsgIcon::None:
            break;
    }
    return 0;
}

MsgResult ResultOf(int answer) {
    switch (answer) {
        case IDYES:
            return MsgResult::Yes;
        case IDNO:
            return MsgResult::No;
        case IDCANCEL:
            return MsgResult::Cancel;
    }
    return MsgResult::Ok;
}

// "Text(*.txt)|*.txt|...|" as the file dialogs take it: each '|' a NUL, the
// list ended by two NULs.
std::wstring FilterList(const std::string& filter) {
    std::wstring list = WideFromUtf8(filter);
    for (wchar_t& c : list) {
        if (c == L'|')
            c = L'\0';
    }
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

// "txt" of "txt" or "*.txt".
std::wstring DefaultExtension(const std::string& ext) {
    const size_t dot = ext.rfind('.');
    return WideFromUtf8(dot == std::string::npos ? ext : ext.substr(dot + 1));
}

constexpr int kOptionCheckId = 1200;

// The save dialog's extra check box: a child template below the file list,
// started from and written back to *r.optionChecked.
std::vector<WORD> OptionTemplate(const FileDialogRequest& r) {
    const ControlRow rows[] = {
        {kOptionCheckId, ControlKind::Check, r.optionCaption.c_str(), 8, 2, 240, 12}};
    std::vector<WORD> words = BuildDialogTemplate(MakeTemplate(0, "", 260, 16, rows));
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK | DS_SETFONT;
    words[0] = LOWORD(style);
    words[1] = HIWORD(style);
    return words;
}

UINT_PTR CALLBACK OptionHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        SetWindowLongPtrW(hook, GWLP_USERDATA, LONG_PTR(ofn->lCustData));
        const bool* checked = reinterpret_cast<const bool*>(ofn->lCustData);
        CheckDlgButton(hook, kOptionCheckId, *checked ? BST_CHECKED : BST_UNCHECKED);
    } else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK) {
        auto* checked = reinterpret_cast<bool*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
        *checked = IsDlgButtonChecked(hook, kOptionCheckId) == BST_CHECKED;
    }
    return 0;
}

std::optional<std::string> AskFile(HWND owner, const FileDialogRequest& r, bool save) {
    std::vector<wchar_t> name(32768, L'\0');
    const std::wstring initial = WideFromUtf8(r.initialName);
    initial.copy(name.data(), std::min(initial.size(), name.size() - 1));
    const std::wstring filter = FilterList(r.filter);
    const std::wstring ext = DefaultExtension(r.defaultExt);
    const std::wstring title = WideFromUtf8(r.title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = DWORD(name.size());
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (save && r.confirmOverwrite)
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (!save)
        ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    std::vector<WORD> option;
    if (save && !r.optionCaption.empty() && r.optionChecked) {
        option = OptionTemplate(r);
        ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING;
        ofn.hInstance = reinterpret_cast<HINSTANCE>(option.data());
        ofn.lpfnHook = OptionHook;
        ofn.lCustData = reinterpret_cast<LPARAM>(r.optionChecked);
    }
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen)
        return std::nullopt;
    return Utf8FromWide(name.data(), wcslen(name.data()));
}

bool ShellOpen(HWND owner, const std::string& file, const std::string& argument) {
    const std::wstring wideFile = WideFromUtf8(file);
    const std::wstring wideArgument = WideFromUtf8(argument);
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        owner, L"open", wideFile.c_str(), wideArgument.empty() ? nullptr : wideArgument.c_str(),
        nullptr, SW_SHOWNORMAL));
    return result > 32;
}

class SystemDesktop : public Desktop {
public:
    MsgResult MessageBox(HWND owner, const std::string& text, const std::string& caption,
                         MsgButtons buttons, MsgIcon icon) override {
        const std::wstring wideText = WideFromUtf8(text);
        const std::wstring wideCaption = WideFromUtf8(caption.empty() ? kMessageCaption : caption);
        return ResultOf(::MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(),
                                      ButtonsStyle(buttons) | IconStyle(icon)));
    }
    std::optional<std::string> AskOpenFile(HWND owner, const FileDialogRequest& r) override {
        return AskFile(owner, r, false);
    }
    std::optional<std::string> AskSaveFile(HWND owner, const FileDialogRequest& r) override {
        return AskFile(owner, r, true);
    }
    bool ViewFile(HWND owner, const std::string& path) override {
        return ShellOpen(owner, path, {});
    }
    bool StartProgram(HWND owner, const std::string& program,
                      const std::string& argument) override {
        return ShellOpen(owner, program, argument);
    }
    std::string PrintTable(HWND owner, const vm::PrintTable& table,
                           const std::string& title) override {
        return PrintTableWithDialog(owner, table, title);
    }
};

class ScriptedDesktop : public Desktop {
public:
    explicit ScriptedDesktop(std::string path) : m_path(std::move(path)) {}

    MsgResult MessageBox(HWND, const std::string& text, const std::string&, MsgButtons,
                         MsgIcon) override {
        const std::string answer = Answer("message " + text);
        if (answer == "yes")
            return MsgResult::Yes;
        if (answer == "no")
            return MsgResult::No;
        if (answer == "cancel")
            return MsgResult::Cancel;
        return MsgResult::Ok;
    }
    std::optional<std::string> AskOpenFile(HWND, const FileDialogRequest& r) override {
        return PathAnswer("open " + r.filter);
    }
    // With a check box, "PATH|1" or "PATH|0" also sets it; the question notes its state.
    std::optional<std::string> AskSaveFile(HWND, const FileDialogRequest& r) override {
        std::string question = "save " + r.filter;
        if (!r.optionCaption.empty() && r.optionChecked)
            question += " " + r.optionCaption + (*r.optionChecked ? " [x]" : " [ ]");
        std::optional<std::string> path = PathAnswer(question);
        const size_t bar = path ? path->rfind('|') : std::string::npos;
        if (bar != std::string::npos && r.optionChecked) {
            *r.optionChecked = path->substr(bar + 1) == "1";
            path->erase(bar);
        }
        return path;
    }
    bool ViewFile(HWND, const std::string& path) override {
        Answer("view " + path);
        return true;
    }
    bool StartProgram(HWND, const std::string& program, const std::string& argument) override {
        Answer("start " + program + " " + argument);
        return true;
    }
    // The print dialog is not shown: the question notes the title and page rows.
    std::string PrintTable(HWND, const vm::PrintTable& table, const std::string& title) override {
        Answer("print " + title + " " + std::to_string(table.rows.size()) + " rows");
        return {};
    }

private:
    std::optional<std::string> PathAnswer(const std::string& question) {
        std::string answer = Answer(question);
        if (answer.empty() || answer == "cancel")
            return std::nullopt;
        return answer;
    }

    // The next answer line (read afresh, so a test may add answers as it
    // goes), with the question noted for the test to read.
    std::string Answer(const std::string& question) {
        std::string asked;
        ReadFileBytes(m_path + ".asked", asked);
        WriteFileAtomic(m_path + ".asked", asked + question + "\r\n");
        std::string answers;
        ReadFileBytes(m_path, answers);
        size_t start = 0;
        for (int line = 0; line < m_used && start < answers.size(); ++line) {
            const size_t end = answers.find('\n', start);
            start = end == std::string::npos ? answers.size() : end + 1;
        }
        if (start >= answers.size())
            return {};  // no answer: the default one, and the next line answers the next question
        ++m_used;
        std::string answer = answers.substr(start, answers.find('\n', start) - start);
        while (!answer.empty() && (answer.back() == '\r' || answer.back() == ' '))
            answer.pop_back();
        return answer;
    }

    std::string m_path;
    int m_used = 0;
};

std::unique_ptr<Desktop>& Installed() {
    static std::unique_ptr<Desktop> installed = std::make_unique<SystemDesktop>();
    return installed;
}

}  // namespace

Desktop& desktop() {
    return *Installed();
}

void UseScriptedDesktop(const std::string& answersPath) {
    Installed() = std::make_unique<ScriptedDesktop>(answersPath);
}

}  // namespace vm::win32
