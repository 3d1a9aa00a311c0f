#pragma once
// The "预览" buttons of the conversion dialogs: each opens a preview window on
// the file the dialog names.

#include "export/point_set.h"
#include "instrument/conversion_run.h"

#include <string>

namespace vm {

class CDownloadConvertDlg;
class CUniversalConvertDlg;

inline constexpr int kPreviewButtonId = 2120;

// Adds the "预览" button below the download conversion dialog's buttons.
void AttachConversionPreview(CDownloadConvertDlg& dlg);
// The file a conversion run of input would read, and how to read it; refusal
// is the run's own message when it would convert nothing (else null).
struct PreviewedSource {
    std::string path;
    PointFileKind kind = PointFileKind::Auto;
    const char* refusal = nullptr;
};
PreviewedSource ConversionPreviewSource(const DownloadConversionInput& input);
// Previews what "转换" would convert now.
void PreviewConversionSource(CDownloadConvertDlg& dlg);
// Previews the target file as the target layout shown now reads it.
void PreviewUniversalTarget(CUniversalConvertDlg& dlg);

}  // namespace vm
