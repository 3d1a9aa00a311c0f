#include "dialogs/exports/dxf_dialog.h"

#include "dialogs/dialog_host.h"
#include "export/dxf_settings.h"

namespace vm {
namespace {

using K = ControlKind;
using D = DxfDialog;

// Group boxes first, so the controls they frame lie above them.
constexpr ControlRow kControls[] = {
    {kStaticId, K::Group, "Select file", 7, 5, 196, 44},
    {kStaticId, K::Group, "Select file type", 7, 53, 196, 32},
    {D::kPathBox, K::PathBox, "", 14, 17, 130, 26},
    {D::kBrowse, K::Button, "Browse", 150, 17, 46, 14},
    {D::kTypeList, K::List, "", 14, 66, 130, 12},
    {D::kCadCheck, K::Check, "CAD 兼容格式 (代码页/图层)", 14, 90, 189, 10},
    {D::kMetresCheck, K::Check, "测量文件按米绘制 (与坐标文件图叠合)", 14, 103, 189, 10},
    {kIdOk, K::DefaultButton, "OK", 40, 118, 50, 14},
    {kIdCancel, K::Button, "Cancel", 120, 118, 50, 14},
};
constexpr DialogTemplate kTemplate = MakeTemplate(192, "For *.DXF", 210, 139, kControls);

}  // namespace

const DialogTemplate& DxfDialog::Template() const {
    return kTemplate;
}

void DxfDialog::OnOpened(DialogHost& host) {
    host.SetText(kPathBox, m_strDxfPath);
    host.SetItems(kTypeList, {"测量文件", "坐标文件"});
    const long long stored = LoadDxfFileType(m_strIniPath);
    const bool listed = stored == kDxfMeasurementFile || stored == kDxfCoordinateFile;
    host.SetSelection(kTypeList, listed ? static_cast<int>(stored) : -1);
    const DxfOptions options = LoadDxfOptions(m_strIniPath);
    host.SetChecked(kCadCheck, options.cadReady);
    host.SetChecked(kMetresCheck, options.metres);
}

void DxfDialog::OnClicked(DialogHost& host, int id) {
    if (id == kBrowse) {
        FileDialogRequest request;
        request.filter = "*.dxf|*.dxf|";
        request.confirmOverwrite = true;
        if (const std::optional<std::string> path = host.AskSaveFile(request))
            host.SetText(kPathBox, *path);
    } else if (id == kIdOk) {
        Confirm(host);
    } else if (id == kIdCancel) {
        host.Close(kIdCancel);
    }
}

void DxfDialog::Confirm(DialogHost& host) {
    m_strDxfPath = host.Text(kPathBox);
    if (m_strDxfPath.empty()) {
        host.MessageBox(kNoPathMessage);
        return;
    }
    m_nFileType = host.Selection(kTypeList);
    m_options.cadReady = host.Checked(kCadCheck);
    m_options.metres = host.Checked(kMetresCheck);
    std::string error;
    if (!StoreDxfFileType(m_strIniPath, m_nFileType, &error) ||
        !StoreDxfOptions(m_strIniPath, m_options, &error)) {
        // The export goes on with the type chosen now; only the memory of it is lost.
        host.MessageBox(error);
    }
    host.Close(kIdOk);
}

}  // namespace vm
