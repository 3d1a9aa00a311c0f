// Command 1026 "下载数据转换": converts what the pane holds, or files the user
// chooses. A pane with downloaded data is written to the work file, classified
// by the record after its "ATMOS" line and, once the user confirms the kind,
// the dialog opens with the work file as its source.

#include "app/desktop.h"
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "dialogs/download_convert_dialog.h"
#include "dialogs/download_convert_mode.h"

namespace vm {

void OnDownloadConvert(CMainDlg& dlg) {
    dlg.UpdateData(true);
    CDownloadConvertDlg convert;
    if (dlg.m_strText.empty()) {
        QtDialogHost(convert, &dlg).Run();  // the serial link and the work file stay as they are
        return;
    }
    // The dialog would convert whatever the work file held before: when the
    // pane cannot be written there (the reason is shown), the command ends.
    if (!dlg.SavePaneToWorkFile())
        return;
    convert.m_nMode = ConfirmedDownloadMode(dlg.m_strText, [&dlg](const std::string& question) {
        return desktop().MessageBox(&dlg, question, std::string(), MsgButtons::YesNo,
                                    MsgIcon::Question) == MsgResult::Yes;
    });
    if (convert.m_nMode != 0)
        QtDialogHost(convert, &dlg).Run();
}

}  // namespace vm
