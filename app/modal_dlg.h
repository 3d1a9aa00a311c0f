#pragma once
// A dialog that a command sets up and runs in one call: DoModal fills the
// controls through OnInitDialog, runs the dialog and answers which button
// closed it.

#include <QDialog>

namespace vm {

class CModalDlg : public QDialog {
public:
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;

    using QDialog::QDialog;

    // kIdOk when the dialog was accepted; kIdCancel for Cancel, Escape or the close box.
    int DoModal() {
        OnInitDialog();
        return exec() == QDialog::Accepted ? kIdOk : kIdCancel;
    }

    virtual bool OnInitDialog() = 0;
};

}  // namespace vm
