#pragma once
// What a dialog's description may do with its window: read and set its
// controls by id, ask the desktop, run work off the window's thread, open a
// dialog of its own and close. Each desktop program implements it once for
// its toolkit (Qt on Linux, Win32 on Windows); the tests implement it with a
// recording fake. Texts are UTF-8; a path box holds the path's text as the
// file system spells it (UTF-8 on both systems inside the program).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/desktop_requests.h"
#include "export/point_set.h"

namespace vm {

class Dialog;

class DialogHost {
public:
    virtual ~DialogHost() = default;

    // Text of an edit, path box, status box, label, button or group; for a
    // list, the text of its selected item.
    virtual std::string Text(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;

    virtual bool Checked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;

    // Lists and list boxes: the items in order, the selected index (-1: none).
    virtual void SetItems(int id, const std::vector<std::string>& items) = 0;
    virtual int ItemCount(int id) const = 0;
    virtual int Selection(int id) const = 0;
    virtual void SetSelection(int id, int index) = 0;

    // Tables: a header row, then the rows of cells.
    virtual void SetTable(int id, const std::vector<std::string>& header,
                          const std::vector<std::vector<std::string>>& rows) = 0;
    // Sets a table cell apart (highlighted, with note as its hover text) until
    // the next SetTable.
    virtual void MarkCell(int id, int row, int column, const std::string& note) = 0;

    virtual bool IsEnabled(int id) const = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;
    virtual void SetVisible(int id, bool visible) = 0;
    virtual void SetFocus(int id) = 0;
    // A control's hover text (empty: none).
    virtual void SetToolTip(int id, const std::string& text) = 0;

    virtual void SetTitle(const std::string& title) = 0;
    // The busy cursor over the dialog while work runs off the window's thread.
    virtual void SetBusy(bool busy) = 0;

    // An empty caption means kMessageCaption.
    virtual MsgResult MessageBox(const std::string& text, const std::string& caption = {},
                                 MsgButtons buttons = MsgButtons::Ok,
                                 MsgIcon icon = MsgIcon::None) = 0;
    // The chosen path (default extension applied), or nothing when cancelled.
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    // Hands a file to the desktop's viewer; false when nothing could open it.
    virtual bool ViewFile(const std::string& path) = 0;
    // Opens the point preview window on a file, read as kind (a layout's
    // columns for PointFileKind::Layout); the window tells the user when the
    // file cannot be read, and stays open beside the dialog.
    virtual void PreviewPoints(const std::string& path, PointFileKind kind,
                               const LayoutColumns& layout = LayoutColumns()) = 0;

    // Calls the dialog's OnTimer(timerId) every intervalMs on the window's
    // thread until StopTimer; starting a running timer restarts it.
    virtual void StartTimer(int timerId, int intervalMs) = 0;
    virtual void StopTimer(int timerId) = 0;

    // Runs work off the window's thread, then done on the window's thread.
    // The window waits for work to end before it is destroyed, so a file
    // being written is written completely or not at all.
    virtual void RunInBackground(std::function<void()> work, std::function<void()> done) = 0;

    // Shows child modally over this dialog; returns the id it closed with.
    virtual int RunModal(Dialog& child) = 0;
    // Ends this dialog with the given result (kIdOk, kIdCancel, ...).
    virtual void Close(int result) = 0;
};

}  // namespace vm
