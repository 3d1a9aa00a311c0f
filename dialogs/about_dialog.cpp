#include "dialogs/about_dialog.h"

#include "dialogs/app_info.h"
#include "dialogs/dialog_host.h"

namespace vm {
namespace {

const ControlRow kRows[] = {
    {kStaticId, ControlKind::Icon, "", 11, 17, 20, 20},
    {kStaticId, ControlKind::Label, kAppTitle, 40, 10, 133, 8},
    {kStaticId, ControlKind::Label, kAboutSecondLine, 40, 25, 188, 12},
    {kIdOk, ControlKind::DefaultButton, "OK", 178, 7, 50, 14},
};
const DialogTemplate kTemplate =
    MakeTemplate(100, kAboutCaption, 235, 55, kRows, DialogFont::SansSerif8);

}  // namespace

const DialogTemplate& AboutDialog::Template() const {
    return kTemplate;
}

void AboutDialog::OnClicked(DialogHost& host, int id) {
    if (id == kIdOk)
        host.Close(kIdOk);
}

}  // namespace vm
