#include "app/dxf_dlg.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/control_id.h"
#include "app/desktop.h"
#include "app/dialog_units.h"
#include "common/user_paths.h"
#include "export/dxf_settings.h"

namespace vm {
namespace {

enum class Kind { Group, PathBox, List, DefaultButton, Button };

struct ControlPlace {
    int id;
    Kind kind;
    const char* caption;
    int x, y, width, height;
};

// Group boxes first, so the controls they frame lie above them.
constexpr ControlPlace kControls[] = {
    {kStaticId, Kind::Group, "Select file", 7, 5, 196, 44},
    {kStaticId, Kind::Group, "Select file type", 7, 53, 196, 32},
    {1100, Kind::PathBox, "", 14, 17, 130, 26},
    {1106, Kind::Button, "Browse", 150, 17, 46, 14},
    {1107, Kind::List, "", 14, 66, 130, 12},
    {1, Kind::DefaultButton, "OK", 40, 92, 50, 14},
    {2, Kind::Button, "Cancel", 120, 92, 50, 14},
};

QWidget* MakeControl(const ControlPlace& place, QWidget* parent) {
    const QString caption = QString::fromUtf8(place.caption);
    switch (place.kind) {
        case Kind::Group:
            return new QGroupBox(caption, parent);
        case Kind::PathBox: {
            auto* box = new QPlainTextEdit(parent);  // several lines, scrolled sideways
            box->setLineWrapMode(QPlainTextEdit::NoWrap);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setTabChangesFocus(true);
            return box;
        }
        case Kind::List:
            return new QComboBox(parent);
        case Kind::DefaultButton: {
            auto* button = new QPushButton(caption, parent);
            button->setDefault(true);
            return button;
        }
        case Kind::Button:
            break;
    }
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

std::string PathOf(const QPlainTextEdit* box) {
    return QFile::encodeName(box->toPlainText()).toStdString();
}

}  // namespace

CDxfDlg::CDxfDlg(QWidget* parent) : QDialog(parent), m_strIniPath(UserIniPath()) {
    CreateControls();
    setWindowIcon(AppIcon());
    connect(FindControl<QPushButton>(this, 1106), &QPushButton::clicked, this,
            [this] { OnBrowse(); });
    connect(FindControl<QPushButton>(this, 1), &QPushButton::clicked, this, [this] { OnOK(); });
    connect(FindControl<QPushButton>(this, 2), &QPushButton::clicked, this, &QDialog::reject);
}

void CDxfDlg::CreateControls() {
    const DialogUnits units = DialogUnits::ForFont(font());
    setFixedSize(units.toPixels(210, 113));
    for (const ControlPlace& place : kControls) {
        QWidget* control = MakeControl(place, this);
        if (place.id != kStaticId)
            SetControlId(control, place.id);
        units.place(control, place.x, place.y, place.width, place.height);
    }
    m_editPath = FindControl<QPlainTextEdit>(this, 1100);
    m_comboType = FindControl<QComboBox>(this, 1107);
}

int CDxfDlg::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? kIdOk : kIdCancel;
}

bool CDxfDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("For *.DXF"));
    m_editPath->setPlainText(QFile::decodeName(QByteArray::fromStdString(m_strDxfPath)));
    m_comboType->clear();
    m_comboType->addItem(QStringLiteral("测量文件"));
    m_comboType->addItem(QStringLiteral("坐标文件"));
    const long long stored = LoadDxfFileType(m_strIniPath);
    const bool listed = stored == kDxfMeasurementFile || stored == kDxfCoordinateFile;
    m_comboType->setCurrentIndex(listed ? static_cast<int>(stored) : -1);
    return true;
}

void CDxfDlg::OnBrowse() {
    FileDialogRequest request;
    request.filter = "*.dxf|*.dxf|";
    request.confirmOverwrite = true;
    if (const std::optional<std::string> path = desktop().GetSaveFileName(this, request)) {
        m_editPath->setPlainText(QFile::decodeName(QByteArray::fromStdString(*path)));
    }
}

void CDxfDlg::OnOK() {
    m_strDxfPath = PathOf(m_editPath);
    if (m_strDxfPath.empty()) {
        desktop().MessageBox(this, "选择保存位置");
        return;
    }
    m_nFileType = m_comboType->currentIndex();
    std::string error;
    if (!StoreDxfFileType(m_strIniPath, m_nFileType, &error)) {
        // The export goes on with the type chosen now; only the memory of it is lost.
        desktop().MessageBox(this, error);
    }
    accept();
}

}  // namespace vm
