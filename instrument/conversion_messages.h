#pragma once
// The texts that the conversion runs show in the status box and message boxes.

namespace vm::messages {

inline constexpr char kNoTarget[] = "没有选择转换文件的保存位置，请先选择一个保存位置。";
inline constexpr char kSourceOpenFailed[] = "打开原坐标文件失败";
inline constexpr char kTargetWriteFailed[] = "写入文件失败，退出";
inline constexpr char kTargetOpenFailed[] = "打开保存文件失败,退出";
inline constexpr char kSaved[] = "转换保存成功!";
inline constexpr char kBothSources[] = "两种格式的文件不可以同时转换";
inline constexpr char kChooseSource[] = "先选择一种要转换的文件";
inline constexpr char kNothingToConvert[] = "没有文件可以转换";

}  // namespace vm::messages
