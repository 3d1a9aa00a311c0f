// Windows has the programs the tool menu names: Notepad and the Calculator.
#include "app/program_finder.h"

#include <windows.h>

#include "common/wide_text_win32.h"

namespace vm {
namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(win32::WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where Windows itself would find name: the system folders, then %PATH%.
std::string SystemSearch(const std::string& name) {
    wchar_t found[MAX_PATH];
    const DWORD n = ::SearchPathW(nullptr, win32::WideFromUtf8(name).c_str(), nullptr, MAX_PATH,
                                  found, nullptr);
    return n > 0 && n < MAX_PATH ? win32::Utf8FromWide(found, n) : std::string();
}

}  // namespace

std::vector<std::string> TextEditorCandidates() {
    return {"notepad.exe"};
}

std::vector<std::string> CalculatorCandidates() {
    return {"calc.exe"};
}

// searchPath: folders separated by ";", as in %PATH%; "" searches as Windows does.
std::string FindFirstProgram(const std::vector<std::string>& candidates,
                             const std::string& searchPath) {
    for (const std::string& name : candidates) {
        if (searchPath.empty()) {
            if (std::string path = SystemSearch(name); !path.empty())
                return path;
            continue;
        }
        for (size_t start = 0; start <= searchPath.size();) {
            size_t end = searchPath.find(';', start);
            if (end == std::string::npos)
                end = searchPath.size();
            const std::string folder = searchPath.substr(start, end - start);
            if (!folder.empty() && IsFile(folder + "\\" + name))
                return folder + "\\" + name;
            start = end + 1;
        }
    }
    return std::string();
}

}  // namespace vm
