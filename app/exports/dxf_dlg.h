#pragma once
// The DXF dialog (template 192, "For *.DXF"): the user names the drawing and
// says whether the text pane holds a measurement file or a coordinate file.
// The type is remembered in the per-user ConfigFile.ini ("tempvar"/"filetype"),
// and so are two check boxes ("Parametersetting"): 1108 the CAD-ready drawing
// (declared code page, layer tables, GBK labels), 1109 a measurement drawing
// in metres that overlays the coordinate drawing.

#include "app/modal_dlg.h"

#include <string>

#include "export/dxf_builders.h"

class QComboBox;
class QPlainTextEdit;

namespace vm {

class CMainDlg;

class CDxfDlg : public CModalDlg {
public:
    explicit CDxfDlg(QWidget* parent = nullptr);

    std::string m_strDxfPath;    // path box 1100 (path bytes), empty at start
    long long m_nFileType = -1;  // after OK: the list index stored, -1 nothing chosen
    std::string m_strIniPath;    // where the type is kept (the per-user settings)
    DxfOptions m_options;        // after OK: the check boxes

    // Fills the type list and selects the stored type (none when outside 0-1).
    bool OnInitDialog() override;
    // A save dialog for *.dxf; its path goes into the path box.
    void OnBrowse();
    // An empty path is refused with "选择保存位置" and the dialog stays open;
    // otherwise the type is stored and the dialog closes with kIdOk.
    void OnOK();

private:
    void CreateControls();

    QPlainTextEdit* m_editPath = nullptr;
    QComboBox* m_comboType = nullptr;
};

// Command 32813 once the dialog was confirmed: writes the pane to the work file,
// builds the drawing of the given type from it and writes it to path. Reports
// "Save OK" only when the whole drawing is on disk.
void ExportPaneAsDxf(CMainDlg& dlg, const std::string& path, long long fileType,
                     const DxfOptions& options = {});

}  // namespace vm
