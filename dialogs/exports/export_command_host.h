#pragma once
// What the main window's export commands need of their window: questions to
// the user, the status line, the desktop's viewer, work off the window's
// thread and the printed table. Each desktop program's main window implements
// it once; the flows in excel_command.h and print_table_command.h decide what
// is asked, said and written.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/desktop_requests.h"

namespace vm {

struct PrintTable;

class ExportCommandHost {
public:
    virtual ~ExportCommandHost() = default;

    // An empty caption means kMessageCaption.
    virtual void MessageBox(const std::string& text, const std::string& caption = {}) = 0;
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    virtual void ShowStatus(const std::string& status) = 0;
    // Hands a file to the desktop's viewer now, or once delayMs have passed
    // without holding up the window; a window closed meanwhile opens nothing.
    virtual void ViewFile(const std::string& path) = 0;
    virtual void ViewFileLater(const std::string& path, int delayMs) = 0;
    // Runs work off the window's thread, then done on the window's thread
    // with the window's host (this one may be gone by then); done is not
    // called once the window is gone, but work still ends whole.
    virtual void RunInBackground(std::function<void()> work,
                                 std::function<void(ExportCommandHost&)> done) = 0;
    // Offers the table for printing (a preview or the system's print dialog).
    virtual void PrintTable(std::shared_ptr<const vm::PrintTable> table,
                            const std::string& title) = 0;
};

}  // namespace vm
