#pragma once
// Hover hints on Windows: a box of help text beside the control of a dialog
// over which the mouse rests, sized and placed by the shared hint rules and
// painted as the Linux program paints it (white box, etched frame, Courier
// New). No timer and no delay: the box shows on the first movement over a
// control with a hint and stays until the mouse moves onto another control,
// onto the bare dialog or out of it. The box lets the mouse through.

#include "win/win32.h"

#include <vector>

#include "dialogs/control_row.h"
#include "dialogs/dialog.h"
#include "dialogs/hint_geometry.h"

namespace vm::win32 {

inline constexpr const wchar_t* kHintBoxClass = L"VeltraMarlinHintBox";

class HintBox {
public:
    HintBox() = default;
    ~HintBox();
    HintBox(const HintBox&) = delete;
    HintBox& operator=(const HintBox&) = delete;

    // Watches the mouse over the dialog and its controls; nothing when there
    // are no hints.
    void Attach(HWND dialog, const DialogTemplate& controls, std::vector<ControlHint> hints);
    // The dialog's own messages: the mouse over its bare area or a disabled
    // control, leaving it, the dialog moving or losing the screen.
    void OnDialogMessage(UINT message, WPARAM wParam);

private:
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK WatchControl(HWND control, LPARAM self);

    void OnMouse(HWND over, UINT message);
    int ControlAt(POINT client) const;
    void Show(const ControlHint& hint);
    void Hide();
    void Paint(HDC dc) const;

    HWND m_dialog = nullptr;
    HWND m_box = nullptr;
    const DialogTemplate* m_controls = nullptr;
    std::vector<ControlHint> m_hints;
    const ControlHint* m_shown = nullptr;
    int m_currentId = 0;
    HintBoxSize m_size;
};

}  // namespace vm::win32
