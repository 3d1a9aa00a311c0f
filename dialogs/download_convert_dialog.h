#pragma once
// The download conversion dialog (template 178, "数据转换"): the user names a
// measurement file or a coordinate file, ticks the outputs of a measurement
// file, chooses a target layout and target files, presses "转换" and opens any
// of these files with the desktop's viewer. The conversions themselves are the
// core's; the dialog gathers their inputs, runs them off the window's thread
// and shows their status and messages. Hover hints explain every control.

#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/dialog.h"
#include "instrument/conversion_run.h"
#include "instrument/source_format.h"

namespace vm {

// What command 1026 asks before the dialog opens on the pane's downloaded
// data, and the mode the dialog opens in on Yes; nothing when the pane holds
// no file the dialog converts (the command then ends).
struct PaneConversionQuestion {
    std::string question;
    int mode;
};
std::optional<PaneConversionQuestion> AskBeforeConvertingPane(const std::string& pane);

class CDownloadConvertDlg : public Dialog {
public:
    // 0: opened without downloaded data; 1: the work file holds a measurement
    // file; 2: it holds a coordinate file. Set before the dialog opens.
    std::int16_t m_nMode = 0;
    std::string m_strMeasFile;   // edit 1071, as shown and typed (path bytes)
    std::string m_strCoordFile;  // edit 1078
    std::string m_strStatus;     // status box 1087 (UTF-8)

    // Copies the edits into the members (save) or the members into the controls.
    void UpdateData(DialogHost& host, bool save);
    bool IsConverting() const { return m_converting; }

    const DialogTemplate& Template() const override;
    const std::vector<ControlHint>& Hints() const override;
    // Empties the two sources, enables the controls for m_nMode and fills the layout list.
    void OnOpened(DialogHost& host) override;
    void OnClicked(DialogHost& host, int id) override;
    void OnSelectionChanged(DialogHost& host, int id) override;
    void OnFocusLeft(DialogHost& host, int id) override;
    // "放弃" and the close box are ignored while a run goes on.
    bool OnCloseRequested(DialogHost& host) override;

private:
    // One press of "转换": runs the conversion off the window's thread; the
    // dialog stays open whatever the outcome.
    void OnOK(DialogHost& host);
    void OnViewFile(DialogHost& host, int buttonId);
    void OnPreview(DialogHost& host);
    void BrowseForSource(DialogHost& host, std::string& path, std::string& shown);
    void BrowseForTarget(DialogHost& host, std::string& path);
    void TakeTypedSource(DialogHost& host, int editId);
    void OnFormatChange(DialogHost& host);
    SourceFormat ChosenFormat(const DialogHost& host) const;
    DownloadConversionInput GatherRunInput(const DialogHost& host) const;
    void ShowRunResult(DialogHost& host, const ConversionResult& result);
    void ShowRunning(DialogHost& host, bool running);
    // The right-hand column: each output's chosen target, or "（未选择保存位置）".
    void ShowTargets(DialogHost& host) const;
    // Asks once before a run replaces files that exist; false: the user said No.
    bool ConfirmReplacingTargets(DialogHost& host, const DownloadConversionInput& input);

    bool m_converting = false;
};

}  // namespace vm
