#pragma once
// The universal conversion dialog (template 169, "万能数据转换"): the user sets
// the source and target layouts, the two files, numbering, the record count
// and the coordinate constants, and converts as often as wanted before
// "退出". The layouts are loaded on opening and stored at every "转换"; the
// other options start afresh at every opening. Beside the layouts a table
// shows what the source's first records become with the settings shown now,
// and "预览" draws the target file's points.

#include <string>

#include "dialogs/dialog.h"
#include "dialogs/preview_button.h"
#include "universal/universal_conversion.h"

namespace vm {

class UniversalConvertDialog : public Dialog {
public:
    // Controls the dialog's behaviour refers to.
    enum : int {
        kSourcePathId = 1055,
        kTargetPathId = 1056,
        kStartNumberId = 1068,
        kAttributeId = 1049,
        kNumberingId = 1051,
        kHeaderCountId = 1059,
        kPreviewTableId = 2121,
    };
    static constexpr int kPreviewRecords = 5;
    static constexpr const char* kEmptyCell = "(空)";
    static constexpr const char* kEmptyCellNote = "空列：目标文件中这一列没有内容";

    // iniPath: where the layouts are kept (the per-user settings).
    explicit UniversalConvertDialog(std::string iniPath);

    std::string m_strSourcePath;    // box 1055 (path bytes)
    std::string m_strTargetPath;    // box 1056
    long long m_nStartNumber = -1;  // box 1068; a run leaves its advanced counter here
    // Boxes 1065-1067 and 1069-1071, kept exactly as typed.
    double m_fAddX = 0, m_fAddY = 0, m_fAddZ = 0;
    double m_fMulX = 1, m_fMulY = 1, m_fMulZ = 1;
    std::string m_strIniPath;

    const DialogTemplate& Template() const override;
    // Fills the lists, ticks both "逗号" boxes and shows the stored layout.
    void OnOpened(DialogHost& host) override;
    void OnClicked(DialogHost& host, int id) override;
    void OnSelectionChanged(DialogHost& host, int id) override;
    void OnTextChanged(DialogHost& host, int id) override;
    // Leaving a number box takes the boxes into the members.
    void OnFocusLeft(DialogHost& host, int id) override;
    // A run finishes first: the dialog takes no input meanwhile.
    bool OnCloseRequested(DialogHost& host) override { return (void)host, !m_running; }

    // true: boxes -> members, in the order 1055, 1056, 1068, 1065, 1066, 1067,
    // 1071, 1070, 1069, stopping with the standard message at the first box
    // that holds no number (later members keep their values); false: members -> boxes.
    bool UpdateData(DialogHost& host, bool saveAndValidate = true);

    // The controls' layout and the run they describe with the members now.
    LayoutSettings LayoutFromControls(const DialogHost& host) const;
    UniversalConversionRun RunFromControls(const DialogHost& host) const;
    bool IsRunning() const { return m_running; }

private:
    bool RunButton(DialogHost& host, int id);
    void ApplyLayout(DialogHost& host, const LayoutSettings& layout);
    void FollowSwitches(DialogHost& host);
    void BrowseSource(DialogHost& host);
    void BrowseTarget(DialogHost& host);
    void View(DialogHost& host, const std::string& path);
    void PreviewTarget(DialogHost& host);
    // A run: take and show the boxes, store the layout, convert off the
    // window's thread, then show the messages and keep the advanced counter.
    void Convert(DialogHost& host);
    void ShowRunning(DialogHost& host, bool running);
    void RefreshPreview(DialogHost& host);

    bool m_running = false;
    bool m_inExchange = false;  // a refusal's message box takes the focus
};

}  // namespace vm
