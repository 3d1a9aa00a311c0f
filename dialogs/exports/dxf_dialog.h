#pragma once
// The DXF dialog (template 192, "For *.DXF"): the user names the drawing and
// says whether the text pane holds a measurement file or a coordinate file.
// The type is remembered in the per-user ConfigFile.ini ("tempvar"/"filetype"),
// and so are two check boxes ("Parametersetting"): 1108 the CAD-ready drawing
// (declared code page, layer tables, GBK labels), 1109 a measurement drawing
// in metres that overlays the coordinate drawing.

#include <string>

#include "dialogs/dialog.h"
#include "export/dxf_builders.h"

namespace vm {

class DxfDialog : public Dialog {
public:
    enum : int {
        kPathBox = 1100,
        kBrowse = 1106,
        kTypeList = 1107,
        kCadCheck = 1108,
        kMetresCheck = 1109
    };
    static constexpr const char* kNoPathMessage = "选择保存位置";

    // iniPath: where the type and the check boxes are kept (the per-user settings).
    explicit DxfDialog(std::string iniPath) : m_strIniPath(std::move(iniPath)) {}

    std::string m_strDxfPath;    // path box 1100 (path bytes), empty at start
    long long m_nFileType = -1;  // after OK: the list index stored, -1 nothing chosen
    std::string m_strIniPath;
    DxfOptions m_options;  // after OK: the check boxes

    const DialogTemplate& Template() const override;
    // Fills the type list and selects the stored type (none when outside 0-1).
    void OnOpened(DialogHost& host) override;
    // Browse: a save dialog for *.dxf whose path goes into the path box. OK: an
    // empty path is refused with "选择保存位置" and the dialog stays open;
    // otherwise the type and boxes are stored and the dialog closes with kIdOk.
    void OnClicked(DialogHost& host, int id) override;

private:
    void Confirm(DialogHost& host);
};

}  // namespace vm
