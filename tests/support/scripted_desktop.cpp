#include "tests/support/scripted_desktop.h"

#include "app/file_filter.h"

namespace vm::test {

ScriptedDesktop::ScriptedDesktop() {
    setDesktop(this);
}

ScriptedDesktop::~ScriptedDesktop() {
    // Only the installed double uninstalls itself: one that was replaced (as
    // by assigning a new one to a unique_ptr) must not take its successor away.
    if (&desktop() == this)
        setDesktop(nullptr);
}

std::vector<DesktopCall> ScriptedDesktop::callsOf(DesktopCall::Kind kind) const {
    std::vector<DesktopCall> out;
    for (const DesktopCall& call : m_calls) {
        if (call.kind == kind)
            out.push_back(call);
    }
    return out;
}

std::vector<std::string> ScriptedDesktop::messages() const {
    std::vector<std::string> out;
    for (const DesktopCall& call : callsOf(DesktopCall::Message))
        out.push_back(call.text);
    return out;
}

MsgResult ScriptedDesktop::MessageBox(QWidget* parent, const std::string& text,
                                      const std::string& caption, MsgButtons buttons,
                                      MsgIcon icon) {
    DesktopCall call;
    call.kind = DesktopCall::Message;
    call.parent = parent;
    call.text = text;
    call.caption = caption.empty() ? kMessageCaption : caption;
    call.buttons = buttons;
    call.icon = icon;
    m_calls.push_back(call);
    if (!m_messageAnswers.empty()) {
        const MsgResult answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
        return answer;
    }
    ++m_unscripted;
    switch (buttons) {
        case MsgButtons::YesNo:
            return MsgResult::No;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel:
            return MsgResult::Cancel;
        case MsgButtons::Ok:
            break;
    }
    return MsgResult::Ok;
}

std::optional<std::string> ScriptedDesktop::FileDialog(DesktopCall::Kind kind, QWidget* parent,
                                                       const FileDialogRequest& request) {
    std::optional<std::string> answer;
    if (!m_fileAnswers.empty()) {
        answer = m_fileAnswers.front();
        m_fileAnswers.pop_front();
        // As the real dialogs do: a name without extension gets the default one.
        if (answer) {
            answer =
                ApplyDefaultExtension(*answer, request.defaultExt, kind == DesktopCall::OpenFile);
        }
    } else {
        ++m_unscripted;
    }
    if (answer && request.optionChecked && !m_optionAnswers.empty()) {
        *request.optionChecked = m_optionAnswers.front();
        m_optionAnswers.pop_front();
    }
    DesktopCall call;
    call.kind = kind;
    call.parent = parent;
    call.request = request;
    call.path = answer.value_or(std::string());
    m_calls.push_back(call);
    return answer;
}

bool ScriptedDesktop::Launch(DesktopCall::Kind kind, QWidget* parent, const std::string& path) {
    DesktopCall call;
    call.kind = kind;
    call.parent = parent;
    call.path = path;
    m_calls.push_back(call);
    return m_launchResult;
}

void ScriptedDesktop::PrintPreview(QWidget* parent, const std::string& title,
                                   const PagePainter& paint) {
    DesktopCall call;
    call.kind = DesktopCall::Preview;
    call.parent = parent;
    call.text = title;
    call.paint = paint;
    m_calls.push_back(call);
}

}  // namespace vm::test
