#include "app/exports/column_order_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/control_table.h"

namespace vm {
namespace {

using K = ControlKind;

// Five columns, each a caption over its list, then the two buttons. A list's
// rectangle is its closed height; it drops down as far as its five items need.
constexpr ControlRow kControls[] = {
    {kStaticId, K::Label, "PT#", 10, 9, 34, 8},    {1020, K::List, "", 10, 20, 34, 12},
    {1067, K::Check, "PCode", 50, 8, 36, 10},      {1091, K::List, "", 50, 20, 34, 12},
    {kStaticId, K::Label, "X", 92, 9, 34, 8},      {1088, K::List, "", 92, 20, 34, 12},
    {kStaticId, K::Label, "Y", 132, 9, 34, 8},     {1089, K::List, "", 132, 20, 34, 12},
    {kStaticId, K::Label, "Z", 172, 9, 34, 8},     {1090, K::List, "", 172, 20, 34, 12},
    {1, K::DefaultButton, "確定", 52, 44, 50, 14}, {2, K::Button, "退出", 114, 44, 50, 14},
};

}  // namespace

CColumnOrderDlg::CColumnOrderDlg(QWidget* parent) : CModalDlg(parent) {
    CreateControls();
    setWindowIcon(AppIcon());
    OnClicked(this, 1067, &CColumnOrderDlg::OnPCodeBox);
    OnClicked(this, 1, &CColumnOrderDlg::OnOK);
    connect(FindControl<QPushButton>(this, 2), &QPushButton::clicked, this, &QDialog::reject);
}

void CColumnOrderDlg::CreateControls() {
    MakeControls(this, 216, 66, kControls);
    FillNumbered(this, {1020, 1091, 1088, 1089, 1090}, 5);
    m_checkCode = FindControl<QCheckBox>(this, 1067);
    m_comboPt = FindControl<QComboBox>(this, 1020);
    m_comboCode = FindControl<QComboBox>(this, 1091);
    m_comboX = FindControl<QComboBox>(this, 1088);
    m_comboY = FindControl<QComboBox>(this, 1089);
    m_comboZ = FindControl<QComboBox>(this, 1090);
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
