// Command 1026 "下载数据转换": converts what the pane holds, or files the user
// chooses. A pane with downloaded data is written to the work file, classified
// by the record after its "ATMOS" line (or recognised as another maker's file)
// and, once the user confirms the kind, the dialog opens with the work file as
// its source.

#include "app/desktop.h"
#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/main_dlg_commands.h"
#include "dialogs/download_convert_dialog.h"

namespace vm {

namespace {

// The dialog mode for the pane's text, 0 when the command ends without a dialog.
int ConfirmedMode(CMainDlg& dlg) {
    const std::optional<PaneConversionQuestion> asked = AskBeforeConvertingPane(dlg.m_strText);
    return asked && desktop().MessageBox(&dlg, asked->question, std::string(), MsgButtons::YesNo,
                                         MsgIcon::Question) == MsgResult::Yes
               ? asked->mode
               : 0;
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
