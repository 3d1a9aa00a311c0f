// Command 32802 "万能数据转换": the universal conversion dialog, modal, over the main window.
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/user_paths.h"
#include "dialogs/universal/universal_convert_dialog.h"

namespace vm {

void OnUniversalConvert(CMainDlg& dlg) {
    UniversalConvertDialog convert(UserIniPath());
    QtDialogHost(convert, &dlg).Run();
}

}  // namespace vm
