#pragma once
// The Windows program's one door to the desktop: message boxes, open and save
// file dialogs, handing a file to its viewer, starting the system's programs
// and printing. The main window and every dialog reach them only through
// desktop(), so the tests under wine answer them from a script instead of
// showing real modal windows.

#include "win/win32.h"

#include <optional>
#include <string>

#include "dialogs/desktop_requests.h"

namespace vm {
struct PrintTable;
}

namespace vm::win32 {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual MsgResult MessageBox(HWND owner, const std::string& text, const std::string& caption,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    virtual std::optional<std::string> AskOpenFile(HWND owner, const FileDialogRequest& r) = 0;
    virtual std::optional<std::string> AskSaveFile(HWND owner, const FileDialogRequest& r) = 0;
    // Opens path with the program the shell has for it ("open"); false when none could.
    virtual bool ViewFile(HWND owner, const std::string& path) = 0;
    // Starts a program of the system (notepad.exe, calc.exe) with an optional argument.
    virtual bool StartProgram(HWND owner, const std::string& program,
                              const std::string& argument) = 0;
    // The system's print dialog, then the table's pages on the chosen
    // printer; an empty result when printed or cancelled, else why not.
    virtual std::string PrintTable(HWND owner, const vm::PrintTable& table,
                                   const std::string& title) = 0;
};

Desktop& desktop();

// Answers every question from the lines of answersPath in order ("ok", "yes",
// "no", "cancel", or a path for a file dialog; no line left: OK, or cancel
// for a file dialog, and the line added next answers the next question) and
// appends each question to answersPath + ".asked". For the tests under wine.
void UseScriptedDesktop(const std::string& answersPath);

}  // namespace vm::win32
