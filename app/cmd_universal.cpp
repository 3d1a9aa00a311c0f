#include "app/main_dlg.h"
#include "app/main_dlg_commands.h"

// Placeholder until this feature is built: the command says so in the status line.

namespace vm {

void OnUniversalConvert(CMainDlg& dlg) {
    ShowNotBuiltYet(dlg, "万能数据转换");
}

}  // namespace vm
