// Command 1026 "下载数据转换": converts what the pane holds, or files the user
// chooses. A pane with downloaded data is written to the work file, classified
// by the record after its "ATMOS" line and, once the user confirms the kind,
// the dialog opens with the work file as its source.

#include "app/desktop.h"
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "dialogs/download_convert_dialog.h"
#include "instrument/download_kind.h"

namespace vm {

namespace {

bool UserConfirms(CMainDlg& dlg, const char* question) {
    return desktop().MessageBox(&dlg, question, std::string(), MsgButtons::YesNo,
                                MsgIcon::Question) == MsgResult::Yes;
}

// The dialog mode for the pane's text, 0 when the command ends without a dialog.
int ConfirmedMode(CMainDlg& dlg) {
    switch (ClassifyDownloadedBytes(dlg.m_strText)) {
        case DownloadKind::Measurement:
            return UserConfirms(dlg, "你打开的是测量文件???") ? 1 : 0;
        case DownloadKind::Coordinate:
            return UserConfirms(dlg, "你打开的是坐标文件???") ? 2 : 0;
        case DownloadKind::None:
            break;
    }
    return 0;
}

}  // namespace

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
    convert.m_nMode = static_cast<std::int16_t>(ConfirmedMode(dlg));
    if (convert.m_nMode != 0)
        QtDialogHost(convert, &dlg).Run();
}

}  // namespace vm
