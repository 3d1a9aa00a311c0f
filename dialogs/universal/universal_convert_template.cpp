// The controls of the universal conversion dialog, placed in dialog units and
// each carrying its id: the original 327 x 255 face, then the preview table
// beside it (to the right: below, the dialog would no longer fit a 1366x768
// screen) and the "预览" button. Group boxes come first so that the controls
// they frame lie above them.

#include "dialogs/universal/universal_convert_dialog.h"

namespace vm {
namespace {

using Kind = ControlKind;
constexpr int kS = kStaticId;

constexpr ControlRow kControls[] = {
    {kS, Kind::Group, "待转换文件相关信息:", 7, 5, 313, 76},
    {kS, Kind::Group, "分隔符", 256, 14, 58, 36},
    {kS, Kind::Label, "点号", 14, 19, 36, 8},
    {kS, Kind::Label, "属性", 54, 19, 36, 8},
    {kS, Kind::Label, "X", 94, 19, 36, 8},
    {kS, Kind::Label, "Y", 134, 19, 36, 8},
    {kS, Kind::Label, "Z", 174, 19, 36, 8},
    {kS, Kind::Label, "序号", 214, 19, 36, 8},
    {1046, Kind::List, "", 14, 30, 36, 13},
    {1039, Kind::List, "", 54, 30, 36, 13},
    {1040, Kind::List, "", 94, 30, 36, 13},
    {1041, Kind::List, "", 134, 30, 36, 13},
    {1047, Kind::List, "", 174, 30, 36, 13},
    {1050, Kind::List, "", 214, 30, 36, 13},
    {1057, Kind::Check, "逗号", 262, 24, 44, 10},
    {1058, Kind::Check, "空格", 262, 37, 44, 10},
    {1055, Kind::Edit, "", 14, 58, 196, 13},
    {1053, Kind::Button, "原文件....", 214, 57, 48, 14},
    {1072, Kind::Button, "打开....", 266, 57, 48, 14},

    {kS, Kind::Group, "目标转换文件相关信息:", 7, 86, 313, 76},
    {kS, Kind::Group, "分隔符", 256, 95, 58, 36},
    {kS, Kind::Label, "点号", 14, 100, 36, 8},
    {1049, Kind::Check, "属性", 54, 99, 38, 10},
    {kS, Kind::Label, "X", 94, 100, 36, 8},
    {kS, Kind::Label, "Y", 134, 100, 36, 8},
    {kS, Kind::Label, "Z", 174, 100, 36, 8},
    {1051, Kind::Check, "加序号", 214, 99, 40, 10},
    {1042, Kind::List, "", 14, 111, 36, 13},
    {1043, Kind::List, "", 54, 111, 36, 13},
    {1044, Kind::List, "", 94, 111, 36, 13},
    {1045, Kind::List, "", 134, 111, 36, 13},
    {1048, Kind::List, "", 174, 111, 36, 13},
    {1052, Kind::List, "", 214, 111, 36, 13},
    {1061, Kind::Check, "逗号", 262, 105, 44, 10},
    {1062, Kind::Check, "空格", 262, 118, 44, 10},
    {1056, Kind::Edit, "", 14, 139, 196, 13},
    {1054, Kind::Button, "新文件....", 214, 138, 48, 14},
    {1073, Kind::Button, "打开....", 266, 138, 48, 14},

    {kS, Kind::Label, "起始序号", 14, 172, 40, 8},
    {1068, Kind::Edit, "", 56, 170, 56, 13},
    {1059, Kind::Check, "文件头加点数", 134, 171, 80, 10},
    {kS, Kind::Label, "X加常数", 14, 192, 40, 8},
    {1065, Kind::Edit, "", 56, 190, 56, 13},
    {kS, Kind::Label, "Y加常数", 118, 192, 40, 8},
    {1066, Kind::Edit, "", 160, 190, 56, 13},
    {kS, Kind::Label, "Z加常数", 222, 192, 40, 8},
    {1067, Kind::Edit, "", 264, 190, 56, 13},
    {kS, Kind::Label, "X乘常数", 14, 211, 40, 8},
    {1069, Kind::Edit, "", 56, 209, 56, 13},
    {kS, Kind::Label, "Y乘常数", 118, 211, 40, 8},
    {1070, Kind::Edit, "", 160, 209, 56, 13},
    {kS, Kind::Label, "Z乘常数", 222, 211, 40, 8},
    {1071, Kind::Edit, "", 264, 209, 56, 13},
    {kIdOk, Kind::DefaultButton, "转换", 90, 233, 56, 15},
    {kIdCancel, Kind::Button, "退出", 180, 233, 56, 15},

    {kS, Kind::Label, "预览（原文件前五条记录及转换结果）:", 327, 5, 223, 10},
    {UniversalConvertDialog::kPreviewTableId, Kind::Table, "", 327, 16, 223, 232},
    {kPreviewButtonId, Kind::Button, "预览", 270, 233, 50, 15},
};

constexpr DialogTemplate kTemplate =
    MakeTemplate(169, "万能数据转换", 327 + 230, 255, kControls, DialogFont::Tahoma10);

}  // namespace

const DialogTemplate& UniversalConvertDialog::Template() const {
    return kTemplate;
}

}  // namespace vm
