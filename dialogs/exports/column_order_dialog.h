#pragma once
// The column-order dialog (template 182, "选择数据位置"): before a coordinate
// file is laid out as a table, the user says in which column (1-5) PT#, PCode,
// X, Y and Z stand and whether the file has a code column at all. It opens
// with the defaults every time; nothing is stored.

#include "dialogs/dialog.h"
#include "export/column_order.h"

namespace vm {

class ColumnOrderDialog : public Dialog {
public:
    enum : int { kPtList = 1020, kCodeCheck = 1067, kCodeList = 1091 };

    // Meaningful after the dialog closed with kIdOk.
    ColumnOrder m_order;

    const DialogTemplate& Template() const override;
    // Ticked check box, lists PT# 1, PCode 2, X 3, Y 4, Z 5.
    void OnOpened(DialogHost& host) override;
    // The check box: the PCode list follows it and PT#, X, Y, Z move to the
    // columns of a file with or without code; the PCode list keeps its choice.
    // OK stores the five choices and the check box in m_order and closes.
    void OnClicked(DialogHost& host, int id) override;
};

}  // namespace vm
