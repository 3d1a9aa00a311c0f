#pragma once
// What a dialog asks of the desktop: message boxes with their buttons and
// icon, and open or save file questions with their filters. Plain values, so
// that a dialog's description says what it asks without naming a toolkit.

#include <string>

namespace vm {

enum class MsgButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MsgIcon { None, Question, Stop, Information, Warning };
enum class MsgResult { Ok, Cancel, Yes, No };

// Said when the desktop found no program to open a file with; the path follows.
inline constexpr const char* kNoViewerMessage = "没有可以打开这个文件的程序：";

// The caption of a message box that is not given one: the program's name.
inline constexpr const char* kMessageCaption = "veltramarlin";

struct FileDialogRequest {
    // Filter in the form "Text(*.txt)|*.txt|All files(*.*)|*.*|": pairs of
    // shown name and pattern(s), separated and ended by '|'.
    std::string filter;
    // Appended to a chosen name that has no extension ("txt" or "*.txt").
    std::string defaultExt;
    std::string initialName;
    // Save dialogs only: ask before an existing file is replaced.
    bool confirmOverwrite = true;
    std::string title;  // empty: the desktop's own title
    // Save dialogs only: a check box below the file list with this caption
    // (none when empty), starting as *optionChecked; its state at OK is
    // written back there.
    std::string optionCaption;
    bool* optionChecked = nullptr;
};

// Text, data or any file, "*.txt" appended to a name without extension: the
// files the conversion dialogs read and write and upload sends.
FileDialogRequest TextDataFileRequest();

}  // namespace vm
