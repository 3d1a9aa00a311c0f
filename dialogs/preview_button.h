#pragma once
// The "预览" button of the conversion dialogs: it opens the point preview on
// the file the dialog names.

namespace vm {

inline constexpr int kPreviewButtonId = 2120;
inline constexpr const char* kNothingToPreview = "先选择一种要转换的文件";

}  // namespace vm
