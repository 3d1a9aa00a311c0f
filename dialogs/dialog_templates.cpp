#include "dialogs/dialog_templates.h"

#include "dialogs/about_dialog.h"
#include "dialogs/com_set_dialog.h"

namespace vm {

std::vector<const DialogTemplate*> EveryDialogTemplate() {
    return {
        &AboutDialog().Template(),
        &g_comSetDlg.Template(),
    };
}

}  // namespace vm
