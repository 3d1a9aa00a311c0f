// veltramarlin.exe: the main window, and a file named on the command line
// opened into its pane as 打开 opens it.
#include "win/win32.h"

#include <commctrl.h>

#include "common/wide_text_win32.h"
#include "win/desktop.h"
#include "win/main_window.h"

namespace {

// "--scripted-desktop=PATH" (the tests under wine) answers the program's
// questions from a file; any other argument is a file for the pane.
std::wstring TakeArguments() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring file;
    const std::wstring scripted = L"--scripted-desktop=";
    for (int i = 1; args && i < count; ++i) {
        const std::wstring arg = args[i];
        if (arg.rfind(scripted, 0) == 0)
            vm::win32::UseScriptedDesktop(vm::win32::Utf8FromWide(arg.substr(scripted.size())));
        else if (file.empty())
            file = arg;
    }
    LocalFree(args);
    return file;
}

int RunMessageLoop(HWND window, HACCEL accelerators) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring file = TakeArguments();
    vm::win32::MainWindow window;
    if (!vm::win32::MainWindow::Register(instance) || !window.Create(instance, show))
        return 1;
    window.OfferRestore();
    if (!file.empty())
        window.OpenPaneFile(vm::win32::Utf8FromWide(file));
    return RunMessageLoop(window.Window(), window.Accelerators());
}
