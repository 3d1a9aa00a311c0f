#pragma once
// The universal conversion dialog (template 169, "万能数据转换"): the user sets
// the source and target layouts, the two files, numbering, the record count
// and the coordinate constants, and converts as often as wanted before
// "退出". The layouts are loaded on opening and stored at every "转换"; the
// other options start afresh at every opening.

#include "app/modal_dlg.h"

#include <memory>
#include <string>

#include "universal/universal_conversion.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QThread;

namespace vm {

class CUniversalConvertDlg : public CModalDlg {
public:
    explicit CUniversalConvertDlg(QWidget* parent = nullptr);
    // Waits for a run still going: its target is written completely or not at all.
    ~CUniversalConvertDlg() override;

    std::string m_strSourcePath;    // box 1055 (path bytes)
    std::string m_strTargetPath;    // box 1056
    long long m_nStartNumber = -1;  // box 1068; a run leaves its advanced counter here
    // Boxes 1065-1067 and 1069-1071, kept exactly as typed.
    double m_fAddX = 0, m_fAddY = 0, m_fAddZ = 0;
    double m_fMulX = 1, m_fMulY = 1, m_fMulZ = 1;
    std::string m_strIniPath;  // where the layouts are kept (the per-user settings)

    // Fills the lists, ticks both "逗号" boxes and shows the stored layout.
    bool OnInitDialog() override;
    // true: boxes -> members, in the order 1055, 1056, 1068, 1065, 1066, 1067,
    // 1071, 1070, 1069, stopping with the standard message at the first box
    // that holds no number (later members keep their values); false: members -> boxes.
    bool UpdateData(bool saveAndValidate = true);

    void OnBrowseSource();
    void OnBrowseTarget();
    void OnAttributeBox();
    void OnNumberingBox();
    void OnSourceComma();
    void OnSourceSpace();
    void OnTargetComma();
    void OnTargetSpace();
    void OnNumberBoxLeave();
    void OnViewSource();
    void OnViewTarget();
    // A run: take and show the boxes, store the layout, convert off the
    // window's thread, then show the messages and keep the advanced counter.
    void OnOK();

    // The controls' layout and the run they describe now.
    LayoutSettings LayoutFromControls() const;
    UniversalConversionRun RunFromControls() const;
    bool IsRunning() const { return m_thread != nullptr; }

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void ApplyLayout(const LayoutSettings& layout);
    void FinishRun(const UniversalConversionRun& run, const UniversalConversionResult& result);
    void PickPair(int ticked, int unticked);
    bool IsTicked(int id) const;
    QComboBox* List(int id) const;
    QLineEdit* Box(int id) const;

    QThread* m_thread = nullptr;
    bool m_inExchange = false;
};

}  // namespace vm
