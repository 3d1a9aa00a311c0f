#pragma once
// The "预览" buttons of the conversion dialogs: each opens a preview window on
// the file the dialog names.

namespace vm {

class CDownloadConvertDlg;

inline constexpr int kPreviewButtonId = 2120;

// Adds the "预览" button below the download conversion dialog's buttons.
void AttachConversionPreview(CDownloadConvertDlg& dlg);
// Previews the measurement source (or, when none is named, the coordinate source).
void PreviewConversionSource(CDownloadConvertDlg& dlg);

}  // namespace vm
