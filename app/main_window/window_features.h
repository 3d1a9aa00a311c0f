#pragma once
// What makes the main window a desktop window a surveyor is at home in:
// resizable with its place remembered, the standard shortcuts, a file dropped
// on the pane opened as 打开 opens it, the recent files, and the transfer
// progress in the status row. Attached once by the window's initialisation.

#include <QObject>

namespace vm {

class CMainDlg;

void AttachWindowFeatures(CMainDlg& dlg);

// Opens the first local file of a drop on the pane through the window's open path.
class CPaneDrop : public QObject {
    Q_OBJECT
public:
    explicit CPaneDrop(CMainDlg& dlg);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMainDlg& m_dlg;
};

}  // namespace vm
