#pragma once
// The "预览" button of the universal conversion dialog: it opens a preview
// window on the file the dialog names.

#include "dialogs/preview_button.h"

namespace vm {

class CUniversalConvertDlg;

// Previews the target file as the target layout shown now reads it.
void PreviewUniversalTarget(CUniversalConvertDlg& dlg);

}  // namespace vm
