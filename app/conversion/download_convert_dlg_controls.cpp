// The controls of the download conversion dialog, placed in dialog units
// (413 x 210) and each carrying its id. The right-hand column (1090-1093)
// shows the target chosen for each output. Group boxes come first so that the
// controls they frame lie above them, for the hint look-up too.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/control_table.h"
#include "app/conversion/download_convert_dlg.h"

namespace vm {

namespace {

using Kind = ControlKind;

constexpr ControlRow kControls[] = {
    {1036, Kind::Group, "测量文件转换", 7, 4, 399, 100},
    {1086, Kind::Group, "坐标文件转换", 7, 108, 399, 52},
    {1071, Kind::Edit, "", 14, 18, 150, 13},
    {1072, Kind::Button, "打开位置...", 168, 17, 50, 14},
    {1080, Kind::Button, "查看", 222, 17, 28, 14},
    {1067, Kind::Check, "坐标转换", 14, 40, 48, 10},
    {1077, Kind::List, "", 66, 38, 98, 13},
    {1073, Kind::Button, "保存位置...", 168, 37, 50, 14},
    {1081, Kind::Button, "查看", 222, 37, 28, 14},
    {1068, Kind::Check, "角度距离", 14, 61, 48, 10},
    {1074, Kind::Button, "保存位置...", 168, 58, 50, 14},
    {1082, Kind::Button, "查看", 222, 58, 28, 14},
    {1069, Kind::Check, "角度", 14, 82, 48, 10},
    {1075, Kind::Button, "保存位置...", 168, 79, 50, 14},
    {1083, Kind::Button, "查看", 222, 79, 28, 14},
    {1078, Kind::Edit, "", 14, 122, 150, 13},
    {1076, Kind::Button, "打开位置...", 168, 121, 50, 14},
    {1084, Kind::Button, "查看", 222, 121, 28, 14},
    {1079, Kind::Button, "保存位置...", 168, 140, 50, 14},
    {1085, Kind::Button, "查看", 222, 140, 28, 14},
    {1090, Kind::Edit, "", 254, 37, 146, 14},
    {1091, Kind::Edit, "", 254, 58, 146, 14},
    {1092, Kind::Edit, "", 254, 79, 146, 14},
    {1093, Kind::Edit, "", 254, 140, 146, 14},
    {1094, Kind::List, "", 254, 17, 146, 13},  // the source's format: recognised or chosen
    {1087, Kind::StatusBox, "", 7, 166, 334, 38},
    {1, Kind::DefaultButton, "转换", 348, 166, 58, 16},
    {2, Kind::Button, "放弃", 348, 188, 58, 16},
};

}  // namespace

void CDownloadConvertDlg::CreateControls() {
    MakeControls(this, 413, 210, kControls);
    for (int id : {1090, 1091, 1092, 1093}) {
        auto* box = FindControl<QLineEdit>(this, id);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
    }
    m_editMeasFile = FindControl<QLineEdit>(this, 1071);
    m_editCoordFile = FindControl<QLineEdit>(this, 1078);
    m_editStatus = FindControl<QPlainTextEdit>(this, 1087);
    m_comboLayout = FindControl<QComboBox>(this, 1077);
    m_comboFormat = FindControl<QComboBox>(this, 1094);
}

}  // namespace vm
