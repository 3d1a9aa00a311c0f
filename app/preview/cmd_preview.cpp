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
#include "app/universal/universal_convert_dlg.h"

#include <QPushButton>

namespace vm {
namespace {

constexpr const char* kPaneSource = "文本窗口";
constexpr const char* kNothingToPreview = "先选择一种要转换的文件";
constexpr const char* kBothSourcesMessage = "两种格式的文件不可以同时转换";

}  // namespace

void OnPointPreview(CMainDlg& dlg) {
    dlg.UpdateData(true);
    OpenPointPreview(&dlg, dlg.m_strText, kPaneSource);
}

PreviewedSource ConversionPreviewSource(const DownloadConversionInput& input) {
    if (!input.measSource.empty() && !input.coordSource.empty())
        return {std::string(), PointFileKind::Auto, kBothSourcesMessage};
    if (!input.measSource.empty())
        return {input.measSource, PointFileKind::Measurement, nullptr};
    if (!input.coordSource.empty())
        return {input.coordSource, PointFileKind::Coordinates, nullptr};
    return {std::string(), PointFileKind::Auto, kNothingToPreview};
}

void PreviewConversionSource(CDownloadConvertDlg& dlg) {
    const PreviewedSource source = ConversionPreviewSource(dlg.RunInput());
    if (source.refusal) {
        desktop().MessageBox(&dlg, source.refusal);
        return;
    }
    OpenPointPreview(&dlg, std::string(), std::string())->ShowFile(source.path, source.kind);
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

// The target file, read in the target layout the dialog shows now.
void PreviewUniversalTarget(CUniversalConvertDlg& dlg) {
    dlg.UpdateData(true);
    if (dlg.m_strTargetPath.empty()) {
        desktop().MessageBox(&dlg, kMissingTargetMessage);
        return;
    }
    const UniversalConversionRun run = dlg.RunFromControls();
    LayoutColumns layout;
    layout.columns = run.layout.target;
    layout.attributeEnabled = run.layout.attributeEnabled;
    layout.separator = run.targetSeparator;
    OpenPointPreview(&dlg, std::string(), std::string())
        ->ShowFile(dlg.m_strTargetPath, PointFileKind::Layout, layout);
}

}  // namespace vm
