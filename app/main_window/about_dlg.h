#pragma once
// The About box (dialog 100): icon, program name and version, one line about
// the program, and OK (id 1). OK, Escape and the close box end it.

#include <QDialog>

namespace vm {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

inline constexpr const char* kAboutCaption = "About Veltra全站仪通讯";
inline constexpr const char* kAboutSecondLine = "全站仪数据下载、上传与格式转换工具";

}  // namespace vm
