#pragma once
// The About box (dialog 100): the program's icon, its name and version, one
// line about it, and OK (id 1). OK, Escape and the close box end it.

#include <string>

#include "dialogs/dialog.h"

namespace vm {

inline constexpr const char* kAboutCaption = "About Veltra全站仪通讯";
inline constexpr const char* kAboutSecondLine = "全站仪数据下载、上传与格式转换工具";

class AboutDialog : public Dialog {
public:
    // programTitle: "VeltraMarlin(<version>)", as the main window's title.
    explicit AboutDialog(std::string programTitle);

    const DialogTemplate& Template() const override { return m_template; }
    void OnClicked(DialogHost& host, int id) override;

private:
    std::string m_title;
    ControlRow m_rows[4];
    DialogTemplate m_template;
};

}  // namespace vm
