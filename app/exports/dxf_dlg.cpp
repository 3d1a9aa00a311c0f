#include "app/exports/dxf_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/control_table.h"
#include "app/desktop.h"
#include "common/user_paths.h"
#include "export/dxf_settings.h"

namespace vm {
namespace {

constexpr int kCadCheck = 1108;
constexpr int kMetresCheck = 1109;

// Group boxes first, so the controls they frame lie above them.
constexpr ControlRow kControls[] = {
    {kStaticId, ControlKind::Group, "Select file", 7, 5, 196, 44},
    {kStaticId, ControlKind::Group, "Select file type", 7, 53, 196, 32},
    {1100, ControlKind::PathBox, "", 14, 17, 130, 26},
    {1106, ControlKind::Button, "Browse", 150, 17, 46, 14},
    {1107, ControlKind::List, "", 14, 66, 130, 12},
    {kCadCheck, ControlKind::Check, "CAD 兼容格式 (代码页/图层)", 14, 90, 189, 10},
    {kMetresCheck, ControlKind::Check, "测量文件按米绘制 (与坐标文件图叠合)", 14, 103, 189, 10},
    {1, ControlKind::DefaultButton, "OK", 40, 118, 50, 14},
    {2, ControlKind::Button, "Cancel", 120, 118, 50, 14},
};

}  // namespace

CDxfDlg::CDxfDlg(QWidget* parent) : CModalDlg(parent), m_strIniPath(UserIniPath()) {
    CreateControls();
    setWindowIcon(AppIcon());
    OnClicked(this, 1106, &CDxfDlg::OnBrowse);
    OnClicked(this, 1, &CDxfDlg::OnOK);
    connect(FindControl<QPushButton>(this, 2), &QPushButton::clicked, this, &QDialog::reject);
}

void CDxfDlg::CreateControls() {
    MakeControls(this, 210, 139, kControls);
    m_editPath = FindControl<QPlainTextEdit>(this, 1100);
    m_comboType = FindControl<QComboBox>(this, 1107);
}

bool CDxfDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("For *.DXF"));
    m_editPath->setPlainText(PathText(m_strDxfPath));
    m_comboType->clear();
    m_comboType->addItem(QStringLiteral("测量文件"));
    m_comboType->addItem(QStringLiteral("坐标文件"));
    const long long stored = LoadDxfFileType(m_strIniPath);
    const bool listed = stored == kDxfMeasurementFile || stored == kDxfCoordinateFile;
    m_comboType->setCurrentIndex(listed ? static_cast<int>(stored) : -1);
    const DxfOptions options = LoadDxfOptions(m_strIniPath);
    FindControl<QCheckBox>(this, kCadCheck)->setChecked(options.cadReady);
    FindControl<QCheckBox>(this, kMetresCheck)->setChecked(options.metres);
    return true;
}

void CDxfDlg::OnBrowse() {
    FileDialogRequest request;
    request.filter = "*.dxf|*.dxf|";
    request.confirmOverwrite = true;
    if (const std::optional<std::string> path = desktop().GetSaveFileName(this, request)) {
        m_editPath->setPlainText(PathText(*path));
    }
}

void CDxfDlg::OnOK() {
    m_strDxfPath = PathBytes(m_editPath->toPlainText());
    if (m_strDxfPath.empty()) {
        desktop().MessageBox(this, "选择保存位置");
        return;
    }
    m_nFileType = m_comboType->currentIndex();
    m_options.cadReady = FindControl<QCheckBox>(this, kCadCheck)->isChecked();
    m_options.metres = FindControl<QCheckBox>(this, kMetresCheck)->isChecked();
    std::string error;
    if (!StoreDxfFileType(m_strIniPath, m_nFileType, &error) ||
        !StoreDxfOptions(m_strIniPath, m_options, &error)) {
        // The export goes on with the type chosen now; only the memory of it is lost.
        desktop().MessageBox(this, error);
    }
    accept();
}

}  // namespace vm
