#pragma once
// The Win32 renderer of the dialog descriptions: a dialog window made from a
// description's template, whose controls the description reads and sets by
// id, and whose notifications reach the description's handlers.

#include "win/win32.h"

#include <commctrl.h>

#include <functional>
#include <list>
#include <set>
#include <thread>

#include "dialogs/dialog.h"
#include "dialogs/dialog_host.h"
#include "win/cell_notes.h"
#include "win/hint_box.h"

namespace vm::win32 {

// Shows dialog modally over owner; returns the id it closed with (kIdCancel
// when the window could not be made).
int RunDialog(HWND owner, Dialog& dialog);

class Win32DialogHost : public DialogHost {
public:
    explicit Win32DialogHost(Dialog& dialog) : m_dialog(dialog) {}
    ~Win32DialogHost() override;

    HWND Window() const { return m_hwnd; }

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

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Job {
        std::function<void()> done;
        std::thread thread;
    };

    HWND Control(int id) const { return GetDlgItem(m_hwnd, id); }
    ControlKind KindOf(int id) const;

    BOOL OnInitDialog(HWND hwnd);
    void OnCommand(int id, HWND control, UINT code);
    void OnCancel(HWND control);
    void OnJobDone(Job* job);
    BOOL OnSetCursor();
    BOOL OnNotify(NMHDR* header);
    void OnDestroy();

    Dialog& m_dialog;
    HWND m_hwnd = nullptr;
    HWND m_tips = nullptr;
    HintBox m_hints;
    std::set<int> m_timers;
    CellNotes m_cellNotes;
    std::list<Job> m_jobs;
    int m_settingText = 0;  // inside SetText: no "text changed" for it
    bool m_busy = false;
};

}  // namespace vm::win32
