#pragma once
// A dialog host without a toolkit for the tests of dialog descriptions: it
// keeps every control's state by id, answers the desktop's questions from
// scripted queues, records what was shown and asked, and runs background
// work at once. Open() makes the controls from the template and calls
// OnOpened; Click(), Choose(), Type() and Leave() stand for what a user does.
// Timers, child dialogs and hidden controls are not kept: no description
// tested here uses them.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog.h"
#include "dialogs/dialog_host.h"

namespace vm {

struct RecordedControl {
    ControlKind kind = ControlKind::Label;
    std::string text;
    bool checked = false;
    std::vector<std::string> items;
    int selection = -1;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::map<std::pair<int, int>, std::string> marks;  // (row, column) -> note
    bool enabled = true;
    std::string toolTip;
};

struct RecordedMessage {
    std::string text;
    std::string caption;
    MsgButtons buttons;
    MsgIcon icon;
};

class RecordingDialogHost : public DialogHost {
public:
    explicit RecordingDialogHost(Dialog& dialog) : m_dialog(dialog) {}

    void Open();
    void Click(int id);
    void Choose(int id, int index);
    void Type(int id, const std::string& text);
    void Leave(int id);
    // Escape or the close box: closes with kIdCancel when the dialog lets it.
    void RequestClose();

    RecordedControl& control(int id) {
        return const_cast<RecordedControl&>(std::as_const(*this).control(id));
    }
    const RecordedControl& control(int id) const;
    std::optional<int> result() const { return m_result; }

    // Scripted answers, taken in order; an empty queue answers Ok / cancel.
    std::deque<MsgResult> messageAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    // Background work waits for FinishWork() instead of running at once.
    bool holdWork = false;
    void FinishWork();

    std::vector<RecordedMessage> messages;
    std::vector<std::string> messageTexts() const;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> viewedFiles;
    // What the viewer answers (true: the file opened).
    bool viewerOpens = true;
    std::vector<std::pair<std::string, PointFileKind>> previews;
    bool busy = false;

    // DialogHost
    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override { control(id).text = text; }
    bool Checked(int id) const override { return control(id).checked; }
    void SetChecked(int id, bool checked) override { control(id).checked = checked; }
    void SetItems(int id, const std::vector<std::string>& items) override;
    int ItemCount(int id) const override { return int(control(id).items.size()); }
    int Selection(int id) const override { return control(id).selection; }
    void SetSelection(int id, int index) override;
    void SetTable(int id, const std::vector<std::string>& header,
                  const std::vector<std::vector<std::string>>& rows) override;
    void MarkCell(int id, int row, int column, const std::string& note) override {
        control(id).marks[{row, column}] = note;
    }
    bool IsEnabled(int id) const override { return control(id).enabled; }
    void SetEnabled(int id, bool enabled) override { control(id).enabled = enabled; }
    void SetVisible(int, bool) override {}
    void SetFocus(int id) override;
    void SetToolTip(int id, const std::string& text) override { control(id).toolTip = text; }
    void SetTitle(const std::string&) override {}
    void SetBusy(bool value) override { busy = value; }
    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override {
        return NextFile(request);
    }
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
        return NextFile(request);
    }
    bool ViewFile(const std::string& path) override;
    void PreviewPoints(const std::string& path, PointFileKind kind, const LayoutColumns&) override {
        previews.emplace_back(path, kind);
    }
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    void RunInBackground(std::function<void()> work, std::function<void()> done) override;
    int RunModal(Dialog&) override { return kIdCancel; }
    void Close(int result) override { m_result = result; }

    int focus = kStaticId;

private:
    std::optional<std::string> NextFile(const FileDialogRequest& request);

    Dialog& m_dialog;
    std::map<int, RecordedControl> m_controls;
    std::optional<int> m_result;
    std::vector<std::pair<std::function<void()>, std::function<void()>>> m_heldWork;
};

}  // namespace vm
