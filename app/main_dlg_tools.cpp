// Exit, the serial settings, the tool launchers and the About box.
#include "app/main_dlg.h"

#include "app/about_dlg.h"
#include "app/com_set_dlg.h"
#include "app/desktop.h"
#include "app/pane_files.h"

namespace vm {

void CMainDlg::OnFileExit() {
    if (desktop().MessageBox(this, kExitQuestion, std::string(), MsgButtons::YesNo,
                             MsgIcon::Question) == MsgResult::Yes) {
        reject();
    }
}

void CMainDlg::OnComSetting() {
    g_comSetDlg.DoModal(this);
}

// The file dialog has no owner window, as the editor it starts is not ours.
void CMainDlg::OnNotepad() {
    const std::optional<std::string> path =
        desktop().GetOpenFileName(nullptr, NotepadDialogRequest());
    if (!path)
        return;
    if (!desktop().StartTextEditor(this, *path))
        desktop().MessageBox(this, kNoEditorMessage);
}

void CMainDlg::OnCalculator() {
    if (!desktop().StartCalculator(this))
        desktop().MessageBox(this, kNoCalculatorMessage);
}

void CMainDlg::OnHelp() {
    CAboutDlg about(this);
    about.exec();
}

}  // namespace vm
