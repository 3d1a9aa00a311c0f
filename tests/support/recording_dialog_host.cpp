#include "tests/support/recording_dialog_host.h"

#include <stdexcept>

namespace vm {

void RecordingDialogHost::Open() {
    const DialogTemplate& t = m_dialog.Template();
    for (std::size_t i = 0; i < t.rowCount; ++i) {
        const ControlRow& row = t.rows[i];
        if (row.id == kStaticId)
            continue;
        RecordedControl& c = m_controls[row.id];
        c.kind = row.kind;
        c.text = row.caption;
    }
    m_dialog.OnOpened(*this);
}

void RecordingDialogHost::Click(int id) {
    RecordedControl& c = control(id);
    if (!c.enabled)
        throw std::logic_error("click on a disabled control " + std::to_string(id));
    if (c.kind == ControlKind::Check)
        c.checked = !c.checked;
    if (c.kind == ControlKind::Radio)
        c.checked = true;
    m_dialog.OnClicked(*this, id);
}

void RecordingDialogHost::Choose(int id, int index) {
    control(id).selection = index;
    m_dialog.OnSelectionChanged(*this, id);
}

void RecordingDialogHost::Type(int id, const std::string& text) {
    control(id).text = text;
    m_dialog.OnTextChanged(*this, id);
}

void RecordingDialogHost::Leave(int id) {
    m_dialog.OnFocusLeft(*this, id);
}

void RecordingDialogHost::RequestClose() {
    if (m_dialog.OnCloseRequested(*this))
        m_result = kIdCancel;
}

const RecordedControl& RecordingDialogHost::control(int id) const {
    auto it = m_controls.find(id);
    if (it == m_controls.end())
        throw std::out_of_range("no control " + std::to_string(id));
    return it->second;
}

std::string RecordingDialogHost::Text(int id) const {
    const RecordedControl& c = control(id);
    if (c.kind == ControlKind::List || c.kind == ControlKind::ListBox)
        return c.selection >= 0 && c.selection < static_cast<int>(c.items.size())
                   ? c.items[c.selection]
                   : std::string();
    return c.text;
}

void RecordingDialogHost::SetItems(int id, const std::vector<std::string>& items) {
    RecordedControl& c = control(id);
    c.items = items;
    c.selection = -1;
}

void RecordingDialogHost::SetSelection(int id, int index) {
    RecordedControl& c = control(id);
    c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
}

void RecordingDialogHost::SetTable(int id, const std::vector<std::string>& header,
                                   const std::vector<std::vector<std::string>>& rows) {
    RecordedControl& c = control(id);
    c.header = header;
    c.rows = rows;
    c.marks.clear();
}

void RecordingDialogHost::SetFocus(int id) {
    control(id);
    focus = id;
}

MsgResult RecordingDialogHost::MessageBox(const std::string& text, const std::string& caption,
                                          MsgButtons buttons, MsgIcon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (messageAnswers.empty())
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                                  : MsgResult::Ok;
    const MsgResult answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::vector<std::string> RecordingDialogHost::messageTexts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages)
        texts.push_back(m.text);
    return texts;
}

std::optional<std::string> RecordingDialogHost::NextFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

bool RecordingDialogHost::ViewFile(const std::string& path) {
    viewedFiles.push_back(path);
    return viewerOpens;
}

void RecordingDialogHost::RunInBackground(std::function<void()> work, std::function<void()> done) {
    if (holdWork) {
        m_heldWork.emplace_back(std::move(work), std::move(done));
        return;
    }
    work();
    done();
}

void RecordingDialogHost::FinishWork() {
    auto held = std::move(m_heldWork);
    m_heldWork.clear();
    for (auto& [work, done] : held) {
        work();
        done();
    }
}

}  // namespace vm
