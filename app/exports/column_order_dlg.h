#pragma once
// The column-order dialog (template 182, "选择数据位置"): before a coordinate
// file is laid out as a table, the user says in which column (1-5) PT#, PCode,
// X, Y and Z stand and whether the file has a code column at all. It opens
// with the defaults every time; nothing is stored.

#include "app/modal_dlg.h"
#include "export/column_order.h"

class QCheckBox;
class QComboBox;

namespace vm {

class CMainDlg;

class CColumnOrderDlg : public CModalDlg {
public:
    explicit CColumnOrderDlg(QWidget* parent = nullptr);

    // Meaningful after the dialog closed with kIdOk.
    ColumnOrder m_order;

    // Title, ticked check box, lists PT# 1, PCode 2, X 3, Y 4, Z 5.
    bool OnInitDialog() override;
    // The check box: the PCode list follows it and PT#, X, Y, Z move to the
    // columns of a file with or without code; the PCode list keeps its choice.
    void OnPCodeBox();
    // Stores the five choices and the check box in m_order and closes with kIdOk.
    void OnOK();

private:
    void CreateControls();
    void SetColumns(int pt, int x, int y, int z);

    QCheckBox* m_checkCode = nullptr;
    QComboBox* m_comboPt = nullptr;
    QComboBox* m_comboCode = nullptr;
    QComboBox* m_comboX = nullptr;
    QComboBox* m_comboY = nullptr;
    QComboBox* m_comboZ = nullptr;
};

// Command 32811 after the column order is known: asks for the coordinate file,
// writes its table to the work file and hands that to the desktop's viewer.
// A file that cannot be read or a work file that cannot be written is reported
// and nothing is opened.
void PrintCoordinateTable(CMainDlg& dlg, const ColumnOrder& order);

}  // namespace vm
