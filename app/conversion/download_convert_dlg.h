#pragma once
// The download conversion dialog (template 178, "数据转换"): the user names a
// measurement file or a coordinate file, ticks the outputs of a measurement
// file, chooses a target layout and target files, presses "转换" and opens any
// of these files with the desktop's viewer. The conversions themselves are the
// core's; the dialog gathers their inputs, runs them off the window's thread
// and shows their status and messages. Hover hints explain every control.

#include <QDialog>

#include <cstdint>
#include <string>

#include "app/conversion/conversion_worker.h"
#include "app/hints/hint_wnd.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace vm {

class CDownloadConvertDlg : public QDialog {
public:
    explicit CDownloadConvertDlg(QWidget* parent = nullptr);
    ~CDownloadConvertDlg() override;

    // 0: opened without downloaded data; 1: the work file holds a measurement
    // file; 2: it holds a coordinate file. Set before the dialog opens.
    std::int16_t m_nMode = 0;
    std::string m_strMeasFile;   // edit 1071, as shown and typed (path bytes)
    std::string m_strCoordFile;  // edit 1078
    std::string m_strStatus;     // status box 1087 (UTF-8)
    std::string m_strRunStamp;   // shown after the status: which run, and when it ended

    // Sets up the controls for m_nMode, then runs the dialog modally.
    int DoModal();
    // Empties the two sources, enables the controls for m_nMode, fills the
    // layout list and registers the hints. DoModal calls it; tests may too.
    bool OnInitDialog();
    // Copies the edits into the members (save) or the members into the controls.
    void UpdateData(bool save) { DoDataExchange(save); }

    // One press of "转换": runs the conversion on a worker thread; the dialog
    // stays open whatever the outcome.
    void OnOK();
    // What a press of "转换" now would convert: the sources and targets as the
    // run takes them (a path still being typed included).
    DownloadConversionInput RunInput();
    bool IsConverting() const { return m_worker.IsRunning(); }

    void reject() override;  // "放弃" and the close box; ignored while a run goes on

    const CHintWnd& hints() const { return m_wndHint; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DoDataExchange(bool save);
    void CreateControls();
    void ConnectControls();
    void PreTranslateMessage(QObject* receiver, QEvent* event);

    void OnCoordExtractBox();
    void OnAngleDistBox();
    void OnAngleBox();
    void OnBrowseMeasSource();
    void OnBrowseCoordExtractTarget();
    void OnBrowseAngleDistTarget();
    void OnBrowseAngleTarget();
    void OnBrowseCoordSource();
    void OnBrowseCoordTarget();
    void OnViewFile(int buttonId);
    void OnMeasSourceLeave();
    void OnCoordSourceLeave();
    // The status box names the source's format, recognised or chosen in list 1094.
    void OnFormatChange();

    bool BrowseForSource(std::string& path);
    bool BrowseForTarget(std::string& path);
    DownloadConversionInput GatherRunInput() const;
    void ShowRunResult(const ConversionResult& result);
    bool IsTicked(int checkBoxId) const;
    SourceFormat ChosenFormat() const;
    // The right-hand column: each output's chosen target, or "（未选择保存位置）".
    void ShowTargets();
    // Asks once before a run replaces files that exist; false: the user said No.
    bool ConfirmReplacingTargets(const DownloadConversionInput& input);
    // Shows status as the outcome of a new press of "转换".
    void ShowRunStatus(const std::string& status);

    QLineEdit* m_editMeasFile = nullptr;
    QLineEdit* m_editCoordFile = nullptr;
    QPlainTextEdit* m_editStatus = nullptr;
    QComboBox* m_comboLayout = nullptr;
    QComboBox* m_comboFormat = nullptr;

    CHintWnd m_wndHint;
    CConversionWorker m_worker;
    long long m_runs = 0;
};

}  // namespace vm
