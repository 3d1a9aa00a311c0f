#pragma once
// A desktop for tests: answers from queues instead of real modal loops and
// records every call with its texts, buttons, icons, filters and paths.
// Constructing one installs it; destroying the installed one restores the Qt desktop.

#include "app/desktop.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vm::test {

struct DesktopCall {
    enum Kind { Message, OpenFile, SaveFile, Viewer, Editor, Calculator, Preview };
    Kind kind = Message;
    QWidget* parent = nullptr;
    // Message boxes: text, the caption shown (the program's name when none was given).
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    // File dialogs: the request as made.
    FileDialogRequest request;
    // Viewer and editor: the path handed over; file dialogs: the answer ("" when cancelled).
    std::string path;
    // Print previews: the title is in text, the painter of the pages here.
    PagePainter paint;
};

class ScriptedDesktop : public Desktop {
public:
    ScriptedDesktop();
    ~ScriptedDesktop() override;
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

    // Queues the answer of the next message box. Unqueued boxes answer No for
    // Yes/No, Cancel for OK/Cancel and Yes/No/Cancel, and Ok for OK, and count
    // as unscripted.
    void answerMessage(MsgResult answer) { m_messageAnswers.push_back(answer); }
    // Queues the answer of the next open or save dialog; nullopt is Cancel.
    // Unqueued dialogs are cancelled and count as unscripted.
    void answerFile(std::optional<std::string> path) { m_fileAnswers.push_back(std::move(path)); }
    // Queues the state of the next save dialog's check box at OK (when it has one;
    // unqueued, the box keeps the state it was shown with).
    void answerOption(bool checked) { m_optionAnswers.push_back(checked); }
    // What the viewer, editor and calculator launches report (true by default).
    void setLaunchResult(bool started) { m_launchResult = started; }

    const std::vector<DesktopCall>& calls() const { return m_calls; }
    std::vector<DesktopCall> callsOf(DesktopCall::Kind kind) const;
    // The texts of the message boxes shown, in order.
    std::vector<std::string> messages() const;
    int unscripted() const { return m_unscripted; }
    int pendingAnswers() const { return int(m_messageAnswers.size() + m_fileAnswers.size()); }
    void clearCalls() { m_calls.clear(); }

    MsgResult MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
                         MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> GetOpenFileName(QWidget* parent,
                                               const FileDialogRequest& request) override {
        return FileDialog(DesktopCall::OpenFile, parent, request);
    }
    std::optional<std::string> GetSaveFileName(QWidget* parent,
                                               const FileDialogRequest& request) override {
        return FileDialog(DesktopCall::SaveFile, parent, request);
    }
    bool OpenWithViewer(QWidget* parent, const std::string& path) override {
        return Launch(DesktopCall::Viewer, parent, path);
    }
    bool StartTextEditor(QWidget* parent, const std::string& path) override {
        return Launch(DesktopCall::Editor, parent, path);
    }
    bool StartCalculator(QWidget* parent) override {
        return Launch(DesktopCall::Calculator, parent, std::string());
    }
    void PrintPreview(QWidget* parent, const std::string& title, const PagePainter& paint) override;

private:
    std::optional<std::string> FileDialog(DesktopCall::Kind kind, QWidget* parent,
                                          const FileDialogRequest& request);
    bool Launch(DesktopCall::Kind kind, QWidget* parent, const std::string& path);

    std::deque<MsgResult> m_messageAnswers;
    std::deque<std::optional<std::string>> m_fileAnswers;
    std::deque<bool> m_optionAnswers;
    std::vector<DesktopCall> m_calls;
    bool m_launchResult = true;
    int m_unscripted = 0;
};

}  // namespace vm::test
