#pragma once
// A dialog's controls as rows of a table: kind, id, caption and rectangle in
// dialog units, the coordinates the dialog templates are given in. Both
// desktop programs make their controls from these rows, in order, so group
// boxes listed first lie below the controls they frame.

#include <cstddef>
#include <string>
#include <vector>

namespace vm {

// Statics and group boxes without an id of their own.
inline constexpr int kStaticId = -1;
// The buttons that close a dialog, as the dialog templates number them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

enum class ControlKind {
    Group,          // group box, the caption as its title
    Label,          // static text
    Check,          // check box
    Radio,          // one of a group of round choice buttons
    Edit,           // one-line text box
    ShownPath,      // one-line box showing a path, read-only and never focused,
                    // scrolled to its end, where the file name is
    PathBox,        // several-line path box, scrolled sideways instead of wrapped
    StatusBox,      // read-only several-line text
    List,           // drop-down list, no typing; the dialog fills it
    ListBox,        // a list shown open, several rows at once
    Table,          // read-only rows of cells under a header row
    Canvas,         // drawn by the toolkit's own view (the point preview)
    Icon,           // the program's icon, scaled to the rectangle
    DefaultButton,  // pressed by Enter
    Button,         // never pressed by Enter, even with the focus
    FocusButton,    // pressed by Enter while it has the focus
};

struct ControlRow {
    int id;  // kStaticId: the control carries no id
    ControlKind kind;
    const char* caption;  // UTF-8
    int x, y, width, height;
    // Lists only: the height of the open list in dialog units (0: the
    // toolkit's own). A label taller than one line wraps, top-aligned.
    int listHeight = 0;
};

// The typeface a dialog is laid out in; its dialog units come from it.
enum class DialogFont {
    Desktop,     // the desktop's own dialog font
    SansSerif8,  // "MS Sans Serif" 8 pt: the main window, About
    Song10,      // "新宋体" 10 pt: serial settings
    Tahoma10,    // "Tahoma" 10 pt: universal conversion
};

// A dialog's frame: its caption, its client size in dialog units and its rows.
struct DialogTemplate {
    int templateId;     // the dialog template's number (178, 192, ...); 0: none
    const char* title;  // UTF-8
    int width, height;  // dialog units
    const ControlRow* rows;
    std::size_t rowCount;
    DialogFont font = DialogFont::Desktop;

    const ControlRow* Find(int id) const;
};

template <std::size_t N>
constexpr DialogTemplate MakeTemplate(int templateId, const char* title, int width, int height,
                                      const ControlRow (&rows)[N],
                                      DialogFont font = DialogFont::Desktop) {
    return DialogTemplate{templateId, title, width, height, rows, N, font};
}

}  // namespace vm
