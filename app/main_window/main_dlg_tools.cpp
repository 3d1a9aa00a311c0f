// Exit, the serial settings, the tool launchers and the About box.
#include "app/main_window/main_dlg.h"

#include "app/dialog_renderer/qt_dialog_host.h"
#include "dialogs/about_dialog.h"
#include "dialogs/com_set_dialog.h"
#include "app/desktop.h"
#include "app/main_window/pane_guard.h"
#include "dialogs/pane_files.h"

namespace vm {

// Text kept nowhere gets the unsaved-pane guard's question instead of the
// usual one, so the user answers once.
void CMainDlg::OnFileExit() {
    if (ConfirmLeavingPane(*this, kExitQuestion))
        QDialog::reject();
}

void CMainDlg::OnComSetting() {
    QtDialogHost(g_comSetDlg, this).Run();
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
    AboutDialog about;
    QtDialogHost(about, this).Run();
}

}  // namespace vm
