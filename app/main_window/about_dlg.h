#pragma once
// The About box (dialog 100): icon, program name and version, one line about
// the program, and OK (id 1). OK, Escape and the close box end it.

#include <QDialog>

#include "dialogs/about_dialog.h"

namespace vm {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace vm
