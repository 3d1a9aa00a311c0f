#include "dialogs/dialog_templates.h"

#include "dialogs/about_dialog.h"
#include "dialogs/com_set_dialog.h"
#include "dialogs/exports/column_order_dialog.h"
#include "dialogs/exports/dxf_dialog.h"
#include "dialogs/universal/universal_convert_dialog.h"
#include "dialogs/download_convert_dialog.h"

namespace vm {

std::vector<const DialogTemplate*> EveryDialogTemplate() {
    return {
        &AboutDialog().Template(),
        &g_comSetDlg.Template(),
        &UniversalConvertDialog(std::string()).Template(),
        &ColumnOrderDialog().Template(),
        &DxfDialog(std::string()).Template(),
        &CDownloadConvertDlg().Template(),
    };
}

}  // namespace vm
