#include "app/hints/download_convert_hints.h"

namespace vm {

const std::vector<ControlHint>& DownloadConvertHints() {
    static const std::vector<ControlHint> hints = {
        {1, {"确定转换"}},
        {1071, {"要转换的测量文件名"}},
        {1078, {"要转换的坐标文件名"}},
        {1079, {"选择转换后的存放位置"}},
        {1067, {"提取测量数据中的坐标数据"}},
        {1068, {"提取测量数据中的角度距离数据", "斜距SD会被计算成平距和高差"}},
        {1069, {"提取测量数据中的纯角度数据"}},
        {1072, {"选择一个要转换的文件"}},
        {1073, {"选择转换后的存放位置"}},
        {1074, {"选择转换后的存放位置"}},
        {1075, {"选择转换后的存放位置"}},
        {1076, {"选择一个要转换的文件"}},
        {1087, {"操作状态"}},
        // The labels of the layout names, padded so that their meanings line up.
        {1077,
         {"选择转换后的数", "据格式,提示定义：", "PC    点号", "PA    点属性", "X     N坐标",
          "Y     E坐标", "Z     Z坐标", "PO    点序号"}},
    };
    return hints;
}

}  // namespace vm
