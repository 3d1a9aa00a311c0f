#include "dialogs/about_dialog.h"

#include "dialogs/dialog_host.h"

namespace vm {

AboutDialog::AboutDialog(std::string programTitle)
    : m_title(std::move(programTitle)),
      m_rows{{kStaticId, ControlKind::Icon, "", 11, 17, 20, 20},
             {kStaticId, ControlKind::Label, m_title.c_str(), 40, 10, 133, 8},
             {kStaticId, ControlKind::Label, kAboutSecondLine, 40, 25, 188, 12},
             {kIdOk, ControlKind::DefaultButton, "OK", 178, 7, 50, 14}},
      m_template(MakeTemplate(100, kAboutCaption, 235, 55, m_rows, DialogFont::SansSerif8)) {}

void AboutDialog::OnClicked(DialogHost& host, int id) {
    if (id == kIdOk)
        host.Close(kIdOk);
}

}  // namespace vm
