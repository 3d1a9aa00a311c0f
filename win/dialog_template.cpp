#include "win/dialog_template.h"

#include "common/wide_text_win32.h"

#include <commctrl.h>

#include <string>

namespace vm::win32 {
namespace {

// A drop-down list's rectangle is its closed height; the template's height
// of a combo box includes the list that drops down (this much when the row
// does not say).
constexpr int kDropDownRows = 120;

struct FontFace {
    const wchar_t* name;
    WORD points;
};

// The typefaces the templates are laid out in; Windows links the Chinese
// characters of the Western ones to the system's Chinese font.
FontFace FaceOf(DialogFont font) {
    switch (font) {
        case DialogFont::SansSerif8:
            return {L"MS Sans Serif", 8};
        case DialogFont::Song10:
            return {L"新宋体", 10};
        case DialogFont::Tahoma10:
            return {L"Tahoma", 10};
        case DialogFont::Desktop:
            break;
    }
    return {L"MS Shell Dlg", 8};
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Group:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX};
        case ControlKind::Check:
            return {L"BUTTON", BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP};
        case ControlKind::Radio:
            return {L"BUTTON", BS_AUTORADIOBUTTON | BS_NOTIFY | WS_TABSTOP};
        case ControlKind::Edit:
            return {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
        case ControlKind::ShownPath:
            return {L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_BORDER};
        case ControlKind::PathBox:
            return {L"EDIT", ES_MULTILINE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
        case ControlKind::StatusBox:
            return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER};
        case ControlKind::List:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
        case ControlKind::ListBox:
            return {L"LISTBOX",
                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
        case ControlKind::Table:
            return {WC_LISTVIEWW,
                    LVS_REPORT | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP};
        case ControlKind::Canvas:
            return {L"STATIC", SS_WHITERECT};
        case ControlKind::Icon:
            return {L"STATIC", SS_ICON | SS_REALSIZECONTROL};
        case ControlKind::DefaultButton:
            return {L"BUTTON", BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP};
        case ControlKind::Button:
        case ControlKind::FocusButton:
            return {L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP};
    }
    return {L"STATIC", SS_LEFT};
}

class TemplateWriter {
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const std::wstring& text) {
        for (wchar_t c : text)
            Word(WORD(c));
        Word(0);
    }
    void AlignToDword() {
        if (m_words.size() % 2)
            Word(0);
    }
    std::vector<WORD> Take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

void WriteItem(TemplateWriter& out, const ControlRow& row, bool startsGroup) {
    const ControlClass cls = ClassOf(row.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | cls.style;
    if (startsGroup)
        style |= WS_GROUP;
    const int dropDown = row.listHeight > 0 ? row.listHeight : kDropDownRows;
    const int height = row.kind == ControlKind::List ? row.height + dropDown : row.height;
    out.AlignToDword();
    out.Dword(style);
    out.Dword(row.kind == ControlKind::Table ? WS_EX_CLIENTEDGE : 0);
    out.Word(WORD(row.x));
    out.Word(WORD(row.y));
    out.Word(WORD(row.width));
    out.Word(WORD(height));
    out.Word(WORD(row.id));  // kStaticId is 0xFFFF, the id of controls without one
    out.Text(cls.name);
    if (row.kind == ControlKind::Icon) {
        out.Word(0xFFFF);  // the program's icon, by its resource number
        out.Word(kProgramIconResource);
    } else {
        out.Text(WideFromUtf8(row.caption ? row.caption : ""));
    }
    out.Word(0);  // no creation data
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog) {
    TemplateWriter out;
    out.Dword(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    out.Dword(0);
    out.Word(WORD(dialog.rowCount));
    out.Word(0);  // x, y: centred
    out.Word(0);
    out.Word(WORD(dialog.width));
    out.Word(WORD(dialog.height));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(WideFromUtf8(dialog.title ? dialog.title : ""));
    const FontFace face = FaceOf(dialog.font);
    out.Word(face.points);
    out.Text(face.name);
    // A run of radio buttons is one group; whatever follows starts the next.
    ControlKind previous = ControlKind::Label;
    for (size_t i = 0; i < dialog.rowCount; ++i) {
        const ControlRow& row = dialog.rows[i];
        const bool startsGroup = row.kind != ControlKind::Radio || previous != ControlKind::Radio;
        WriteItem(out, row, startsGroup);
        previous = row.kind;
    }
    return out.Take();
}

}  // namespace vm::win32
