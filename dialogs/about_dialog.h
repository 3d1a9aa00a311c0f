#pragma once
// The About box (dialog 100): icon, program name and version, one line about
// the program, and OK (id 1). OK, Escape and the close box end it.

#include "dialogs/dialog.h"

namespace vm {

inline constexpr const char* kAboutCaption = "About Veltra全站仪通讯";
inline constexpr const char* kAboutSecondLine = "全站仪数据下载、上传与格式转换工具";

class AboutDialog : public Dialog {
public:
    const DialogTemplate& Template() const override;
    void OnClicked(DialogHost& host, int id) override;
};

}  // namespace vm
