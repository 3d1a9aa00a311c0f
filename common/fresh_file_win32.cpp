#include "common/fresh_file_win32.h"

#include <atomic>

#include "common/wide_text_win32.h"

namespace vm::win32 {
namespace {

// The folder part of path with its separator ("" for a bare file name, which
// lives in the current folder).
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string FreshNameBeside(const std::string& path, const char* tag) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(path) + ".vm-" + tag + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(::GetTickCount()) + "-" + std::to_string(counter++);
}

HANDLE CreateFileBeside(const std::string& path, std::wstring& name) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        name = WideFromUtf8(FreshNameBeside(path, "new"));
        file = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    return file;
}

}  // namespace vm::win32
