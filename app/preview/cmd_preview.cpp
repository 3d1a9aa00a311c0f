// Command 32901 "预览": the points of the text pane in a preview window, and
// the preview buttons of the two conversion dialogs.
#include "app/control_id.h"
#include "app/desktop.h"
#include "app/dialog_units.h"
#include "app/conversion/download_convert_dlg.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/preview/convert_preview.h"
#include "app/preview/point_preview_dlg.h"

#include <QPushButton>

namespace vm {
namespace {

constexpr const char* kPaneSource = "文本窗口";
constexpr const char* kNothingToPreview = "先选择一种要转换的文件";

}  // namespace

void OnPointPreview(CMainDlg& dlg) {
    dlg.UpdateData(true);
    OpenPointPreview(&dlg, dlg.m_strText, kPaneSource);
}

// The measurement source when one is named, else the coordinate source.
void PreviewConversionSource(CDownloadConvertDlg& dlg) {
    dlg.UpdateData(true);
    if (!dlg.m_strMeasFile.empty()) {
        OpenPointPreview(&dlg, std::string(), std::string())
            ->ShowFile(dlg.m_strMeasFile, PointFileKind::Measurement);
    } else if (!dlg.m_strCoordFile.empty()) {
        OpenPointPreview(&dlg, std::string(), std::string())
            ->ShowFile(dlg.m_strCoordFile, PointFileKind::Coordinates);
    } else {
        desktop().MessageBox(&dlg, kNothingToPreview);
    }
}

void AttachConversionPreview(CDownloadConvertDlg& dlg) {
    const DialogUnits du = DialogUnits::ForFont(dlg.font());
    dlg.setFixedSize(dlg.width(), dlg.height() + du.toPixelsY(20));
    auto* preview = new QPushButton(QStringLiteral("预览"), &dlg);
    SetControlId(preview, kPreviewButtonId);
    preview->setAutoDefault(false);
    du.place(preview, 198, 210, 58, 16);
    QObject::connect(preview, &QPushButton::clicked, &dlg,
                     [&dlg] { PreviewConversionSource(dlg); });
}

}  // namespace vm
