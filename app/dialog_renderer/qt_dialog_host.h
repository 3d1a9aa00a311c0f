#pragma once
// The Qt face of a dialog description: a QDialog made from the description's
// control rows, which forwards what the user does to the description's
// handlers and lets them read and set its controls by id. Every dialog of the
// desktop program is one of these; none holds a dialog's logic itself.

#include <QDialog>

#include <map>
#include <memory>
#include <vector>

#include "dialogs/dialog.h"
#include "dialogs/dialog_host.h"

class QThread;
class QTimer;

namespace vm {

class CHintWnd;
class QtHintRelay;

class QtDialogHost : public QDialog, public DialogHost {
    Q_OBJECT
public:
    // Makes the controls of dialog's template; dialog outlives the window.
    explicit QtDialogHost(Dialog& dialog, QWidget* parent = nullptr);
    // Waits for work still running off the window's thread.
    ~QtDialogHost() override;

    // Calls the description's OnOpened once; Run calls it before showing.
    void Open();
    // Opens and shows the dialog modally; the id it was closed with.
    int Run();

    Dialog& description() const { return m_dialog; }
    // The control with that id (any widget kind), or nullptr.
    QWidget* Control(int id) const;
    // The hover hints (nullptr when the description has none).
    const CHintWnd* hints() const { return m_hints.get(); }
    bool IsWorking() const { return !m_threads.empty(); }

    // DialogHost
    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void SetItems(int id, const std::vector<std::string>& items) override;
    int ItemCount(int id) const override;
    int Selection(int id) const override;
    void SetSelection(int id, int index) override;
    void SetTable(int id, const std::vector<std::string>& header,
                  const std::vector<std::vector<std::string>>& rows) override;
    void MarkCell(int id, int row, int column, const std::string& note) override;
    bool IsEnabled(int id) const override;
    void SetEnabled(int id, bool enabled) override;
    void SetVisible(int id, bool visible) override;
    void SetFocus(int id) override;
    void SetToolTip(int id, const std::string& text) override;
    void SetTitle(const std::string& title) override;
    void SetBusy(bool busy) override;
    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    bool ViewFile(const std::string& path) override;
    void PreviewPoints(const std::string& path, PointFileKind kind,
                       const LayoutColumns& layout) override;
    void StartTimer(int timerId, int intervalMs) override;
    void StopTimer(int timerId) override;
    void RunInBackground(std::function<void()> work, std::function<void()> done) override;
    int RunModal(Dialog& child) override;
    void Close(int result) override;

    void reject() override;  // Escape and the close box ask the description first

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControl(QWidget* control, int id);
    void AttachHints();
    // Runs a handler unless the window is going or the change came from the host.
    template <class Handler>
    void Forward(Handler handler) {
        if (m_quiet == 0 && !m_closing)
            handler();
    }
    // Marks the host's own changes, which are not the user's.
    struct Quiet {
        explicit Quiet(const QtDialogHost& host) : m_host(const_cast<QtDialogHost&>(host)) {
            ++m_host.m_quiet;
        }
        ~Quiet() { --m_host.m_quiet; }
        QtDialogHost& m_host;
    };

    Dialog& m_dialog;
    std::unique_ptr<CHintWnd> m_hints;
    QtHintRelay* m_hintRelay = nullptr;
    std::map<int, QTimer*> m_timers;
    std::vector<QThread*> m_threads;
    int m_result = kIdCancel;
    int m_quiet = 0;  // > 0 while the host itself changes a control
    bool m_opened = false;
    bool m_closing = false;
};

}  // namespace vm
