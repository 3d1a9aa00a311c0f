#pragma once
// A dialog description's controls as an in-memory dialog template: every row
// a control of the matching Win32 class at its rectangle in dialog units, so
// the geometry comes out as the description gives it.

#include "win/win32.h"

#include <vector>

#include "dialogs/control_row.h"
#include "win/resources/resource_ids.h"

namespace vm::win32 {

// The template's words, DWORD-aligned where the items need it; pass data()
// (as a DLGTEMPLATE*) to DialogBoxIndirectParamW.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog);

// The resource number of the program's icon.
inline constexpr WORD kProgramIconResource = IDI_VELTRAMARLIN;

// The Chinese user interface font of the main window.
inline constexpr const wchar_t* kDialogFontName = L"Microsoft YaHei";
inline constexpr WORD kDialogFontPoints = 9;

}  // namespace vm::win32
