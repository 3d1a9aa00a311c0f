#pragma once
// One dialog described once, for every desktop program: its template (the
// controls) and its behaviour as handlers of what the user does. A handler
// talks to the window only through the DialogHost it is given; the work
// itself is the core's. The toolkits call the handlers; none of them holds a
// dialog's logic.

#include <string>
#include <vector>

#include "dialogs/control_row.h"

namespace vm {

class DialogHost;

// The lines of help shown beside a control while the mouse rests on it.
struct ControlHint {
    int controlId;
    std::vector<std::string> lines;  // UTF-8, in display order
};

class Dialog {
public:
    virtual ~Dialog() = default;

    virtual const DialogTemplate& Template() const = 0;
    // The hover hints, in the order they are registered (none by default).
    virtual const std::vector<ControlHint>& Hints() const;

    // Once, after the controls are made and before the dialog shows.
    virtual void OnOpened(DialogHost& host) { (void)host; }
    // A button, check box or radio button was pressed. Buttons kIdOk and
    // kIdCancel reach here too; a dialog that does not close itself on them
    // stays open.
    virtual void OnClicked(DialogHost& host, int id) { (void)host, (void)id; }
    // The user chose another item of a list or list box.
    virtual void OnSelectionChanged(DialogHost& host, int id) { (void)host, (void)id; }
    // The user changed an edit's text (not when the dialog set it).
    virtual void OnTextChanged(DialogHost& host, int id) { (void)host, (void)id; }
    // The keyboard focus left the control.
    virtual void OnFocusLeft(DialogHost& host, int id) { (void)host, (void)id; }
    virtual void OnTimer(DialogHost& host, int timerId) { (void)host, (void)timerId; }
    // Escape or the close box: true lets the dialog close with kIdCancel.
    virtual bool OnCloseRequested(DialogHost& host) {
        (void)host;
        return true;
    }
};

}  // namespace vm
