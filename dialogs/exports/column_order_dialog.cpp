#include "dialogs/exports/column_order_dialog.h"

#include "dialogs/dialog_host.h"

namespace vm {
namespace {

using K = ControlKind;
constexpr int kXList = 1088, kYList = 1089, kZList = 1090;

// Five columns, each a caption over its list, then the two buttons. A list's
// rectangle is its closed height; it drops down as far as its five items need.
constexpr ControlRow kControls[] = {
    {kStaticId, K::Label, "PT#", 10, 9, 34, 8},
    {ColumnOrderDialog::kPtList, K::List, "", 10, 20, 34, 12},
    {ColumnOrderDialog::kCodeCheck, K::Check, "PCode", 50, 8, 36, 10},
    {ColumnOrderDialog::kCodeList, K::List, "", 50, 20, 34, 12},
    {kStaticId, K::Label, "X", 92, 9, 34, 8},
    {kXList, K::List, "", 92, 20, 34, 12},
    {kStaticId, K::Label, "Y", 132, 9, 34, 8},
    {kYList, K::List, "", 132, 20, 34, 12},
    {kStaticId, K::Label, "Z", 172, 9, 34, 8},
    {kZList, K::List, "", 172, 20, 34, 12},
    {kIdOk, K::DefaultButton, "確定", 52, 44, 50, 14},
    {kIdCancel, K::Button, "退出", 114, 44, 50, 14},
};
constexpr DialogTemplate kTemplate = MakeTemplate(182, "选择数据位置", 216, 66, kControls);

void ShowColumns(DialogHost& host, const ColumnOrder& order) {
    host.SetSelection(ColumnOrderDialog::kPtList, order.m_nPtCol);
    host.SetSelection(kXList, order.m_nXCol);
    host.SetSelection(kYList, order.m_nYCol);
    host.SetSelection(kZList, order.m_nZCol);
}

}  // namespace

const DialogTemplate& ColumnOrderDialog::Template() const {
    return kTemplate;
}

void ColumnOrderDialog::OnOpened(DialogHost& host) {
    const std::vector<std::string> columns{"1", "2", "3", "4", "5"};
    for (const int id : {int(kPtList), int(kCodeList), kXList, kYList, kZList})
        host.SetItems(id, columns);
    host.SetChecked(kCodeCheck, true);
    host.SetEnabled(kCodeList, true);
    host.SetSelection(kCodeList, 1);
    ShowColumns(host, DefaultColumnOrder(true));
}

void ColumnOrderDialog::OnClicked(DialogHost& host, int id) {
    if (id == kCodeCheck) {
        const bool hasCode = host.Checked(kCodeCheck);
        host.SetEnabled(kCodeList, hasCode);
        ShowColumns(host, DefaultColumnOrder(hasCode));
    } else if (id == kIdOk) {
        m_order.m_nPtCol = static_cast<int16_t>(host.Selection(kPtList));
        m_order.m_nXCol = static_cast<int16_t>(host.Selection(kXList));
        m_order.m_nYCol = static_cast<int16_t>(host.Selection(kYList));
        m_order.m_nZCol = static_cast<int16_t>(host.Selection(kZList));
        m_order.m_nCodeCol = static_cast<int16_t>(host.Selection(kCodeList));
        m_order.m_bHasCode = host.Checked(kCodeCheck) ? 1 : 0;
        host.Close(kIdOk);
    } else if (id == kIdCancel) {
        host.Close(kIdCancel);
    }
}

}  // namespace vm
