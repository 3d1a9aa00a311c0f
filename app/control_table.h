#pragma once
// Dialogs build their controls from a table: one row a control, with its
// kind, id, caption and rectangle in dialog units. The rows are made in
// order, so group boxes listed first lie below the controls they frame.

#include <QAbstractButton>

#include <cstddef>
#include <initializer_list>

#include "app/control_id.h"
#include "app/dialog_units.h"
#include "dialogs/control_row.h"

namespace vm {

// Gives dialog its fixed size and makes the control of every row as its child,
// in order: of the row's kind and caption, with the row's id, at the row's
// rectangle. Returns the dialog units of the dialog's font.
DialogUnits MakeControls(QWidget* dialog, int width, int height, const ControlRow* rows,
                         std::size_t count);

template <std::size_t N>
DialogUnits MakeControls(QWidget* dialog, int width, int height, const ControlRow (&rows)[N]) {
    return MakeControls(dialog, width, height, rows, N);
}

// Each of the lists gets the items "1" to "count".
void FillNumbered(const QWidget* dialog, std::initializer_list<int> listIds, int count);

void EnableControls(const QWidget* dialog, std::initializer_list<int> ids, bool enable);

// While a conversion runs off the window's thread, OK (1) and Cancel (2) are
// disabled and the dialog shows the busy cursor.
void ShowRunning(QWidget* dialog, bool running);

// Calls handler on dlg whenever the button or check box with that id is clicked.
template <class Dialog>
void OnClicked(Dialog* dlg, int id, void (Dialog::*handler)()) {
    QObject::connect(FindControl<QAbstractButton>(dlg, id), &QAbstractButton::clicked, dlg,
                     [dlg, handler] { (dlg->*handler)(); });
}

}  // namespace vm
