// Command 32802 "万能数据转换": the universal conversion dialog, modal, over the main window.
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/universal/universal_convert_dlg.h"

namespace vm {

void OnUniversalConvert(CMainDlg& dlg) {
    CUniversalConvertDlg convert(&dlg);
    convert.DoModal();
}

}  // namespace vm
