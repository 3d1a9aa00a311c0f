#include "app/column_order_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/control_id.h"
#include "app/dialog_units.h"

namespace vm {
namespace {

enum class Kind { Label, Check, List, DefaultButton, Button };

struct ControlPlace {
    int id;
    Kind kind;
    const char* caption;
    int x, y, width, height;
};

// Five columns, each a caption over its list, then the two buttons.
constexpr ControlPlace kControls[] = {
    {kStaticId, Kind::Label, "PT#", 10, 9, 34, 8},    {1020, Kind::List, "", 10, 20, 34, 70},
    {1067, Kind::Check, "PCode", 50, 8, 36, 10},      {1091, Kind::List, "", 50, 20, 34, 70},
    {kStaticId, Kind::Label, "X", 92, 9, 34, 8},      {1088, Kind::List, "", 92, 20, 34, 70},
    {kStaticId, Kind::Label, "Y", 132, 9, 34, 8},     {1089, Kind::List, "", 132, 20, 34, 70},
    {kStaticId, Kind::Label, "Z", 172, 9, 34, 8},     {1090, Kind::List, "", 172, 20, 34, 70},
    {1, Kind::DefaultButton, "確定", 52, 44, 50, 14}, {2, Kind::Button, "退出", 114, 44, 50, 14},
};

QWidget* MakeControl(const ControlPlace& place, QWidget* parent) {
    const QString caption = QString::fromUtf8(place.caption);
    switch (place.kind) {
        case Kind::Label:
            return new QLabel(caption, parent);
        case Kind::Check:
            return new QCheckBox(caption, parent);
        case Kind::List: {
            auto* list = new QComboBox(parent);  // a drop-down list: no typing
            for (int column = 1; column <= 5; ++column)
                list->addItem(QString::number(column));
            return list;
        }
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

}  // namespace

CColumnOrderDlg::CColumnOrderDlg(QWidget* parent) : QDialog(parent) {
    CreateControls();
    setWindowIcon(AppIcon());
    connect(m_checkCode, &QCheckBox::clicked, this, [this] { OnPCodeBox(); });
    connect(FindControl<QPushButton>(this, 1), &QPushButton::clicked, this, [this] { OnOK(); });
    connect(FindControl<QPushButton>(this, 2), &QPushButton::clicked, this, &QDialog::reject);
}

void CColumnOrderDlg::CreateControls() {
    const DialogUnits units = DialogUnits::ForFont(font());
    setFixedSize(units.toPixels(216, 66));
    for (const ControlPlace& place : kControls) {
        QWidget* control = MakeControl(place, this);
        if (place.id != kStaticId)
            SetControlId(control, place.id);
        units.place(control, place.x, place.y, place.width,
                    place.kind == Kind::List ? 12 : place.height);
    }
    m_checkCode = FindControl<QCheckBox>(this, 1067);
    m_comboPt = FindControl<QComboBox>(this, 1020);
    m_comboCode = FindControl<QComboBox>(this, 1091);
    m_comboX = FindControl<QComboBox>(this, 1088);
    m_comboY = FindControl<QComboBox>(this, 1089);
    m_comboZ = FindControl<QComboBox>(this, 1090);
}

int CColumnOrderDlg::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? kIdOk : kIdCancel;
}

bool CColumnOrderDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("选择数据位置"));
    m_checkCode->setChecked(true);
    m_comboCode->setEnabled(true);
    m_comboCode->setCurrentIndex(1);
    SetColumns(0, 2, 3, 4);
    return true;
}

void CColumnOrderDlg::SetColumns(int pt, int x, int y, int z) {
    m_comboPt->setCurrentIndex(pt);
    m_comboX->setCurrentIndex(x);
    m_comboY->setCurrentIndex(y);
    m_comboZ->setCurrentIndex(z);
}

void CColumnOrderDlg::OnPCodeBox() {
    const bool hasCode = m_checkCode->isChecked();
    m_comboCode->setEnabled(hasCode);
    const ColumnOrder defaults = DefaultColumnOrder(hasCode);
    SetColumns(defaults.m_nPtCol, defaults.m_nXCol, defaults.m_nYCol, defaults.m_nZCol);
}

void CColumnOrderDlg::OnOK() {
    m_order.m_nPtCol = static_cast<int16_t>(m_comboPt->currentIndex());
    m_order.m_nXCol = static_cast<int16_t>(m_comboX->currentIndex());
    m_order.m_nYCol = static_cast<int16_t>(m_comboY->currentIndex());
    m_order.m_nZCol = static_cast<int16_t>(m_comboZ->currentIndex());
    m_order.m_nCodeCol = static_cast<int16_t>(m_comboCode->currentIndex());
    m_order.m_bHasCode = m_checkCode->isChecked() ? 1 : 0;
    accept();
}

}  // namespace vm
