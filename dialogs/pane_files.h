#pragma once
// The texts and dialog settings of the text pane's file commands.

#include "dialogs/desktop_requests.h"

#include <cstdint>
#include <string>

namespace vm {

// Open and Save As: "*.txt", "*.dat" and every file; default extension "txt".
FileDialogRequest PaneFileDialogRequest();

// The Notepad command's file dialog.
FileDialogRequest NotepadDialogRequest();

// Files larger than this are not loaded into the pane: it could not show them usefully.
inline constexpr std::uint64_t kMaxPaneFileBytes = 256ull * 1024 * 1024;

inline constexpr const char* kDiscardQuestion = "你想放弃当前的所有内容吗?";
inline constexpr const char* kNewFileStatus = "创建了新文件...";
inline constexpr const char* kSaveAsPrompt = "保存文件,选择文件名或输入新文件名";
inline constexpr const char* kSavedStatus = "保存成功";
inline constexpr const char* kAllocErrorMessage = "Alloc memory error! ";
inline constexpr const char* kExitQuestion = "真的要退出程序吗>>>";

// "文件太大，无法在文本窗口中打开：PATH（SIZE MB，最多 256 MB）".
std::string FileTooLargeMessage(const std::string& path, std::uint64_t size);

// Reads a file for the pane: false with the user's message when it is too
// large, cannot be read or does not fit in memory.
bool ReadPaneFile(const std::string& path, std::string& bytes, std::string& message);

}  // namespace vm
