#pragma once
// Beside the layouts of the universal conversion dialog: the first five records
// of the chosen source and what they become with the settings shown now,
// refreshed as the user changes a list, a box or a check box. Each output
// column is a cell of its own, so an empty column (a greyed-out position that
// still adds a separator) is plain to see. Also the dialog's "预览" button,
// which draws the target file's points.

#include <QTimer>
#include <QWidget>

class QTableWidget;

namespace vm {

class CUniversalConvertDlg;

class CLayoutPreviewPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTableId = 2121;
    static constexpr int kRecords = 5;
    static constexpr const char* kEmptyCell = "(空)";

    explicit CLayoutPreviewPanel(CUniversalConvertDlg& dlg);

    // Reads the source box and the controls now and fills the table.
    void Refresh();
    // Refreshes once the current burst of changes is over.
    void ScheduleRefresh() { m_refresh.start(); }
    QTableWidget* Table() const { return m_table; }

private:
    CUniversalConvertDlg& m_dlg;
    QTableWidget* m_table = nullptr;
    QTimer m_refresh;  // one refresh for a burst of changes
};

// Widens the dialog by the panel's width, puts the panel and the "预览" button
// in, and connects every list, box and check box to the panel's refresh.
CLayoutPreviewPanel* AttachLayoutPreview(CUniversalConvertDlg& dlg);

}  // namespace vm
