#include "common/console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include "common/wide_text_win32.h"

namespace vm {

std::vector<std::string> CommandLineArguments(int /*argc*/, char** /*argv*/) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(win32::Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return args;
}

void PrepareConsoleOutput() {
    // Binary mode: a line ends with LF alone, as on every other system, and
    // the bytes of a message reach a pipe or file exactly as they are.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace vm
