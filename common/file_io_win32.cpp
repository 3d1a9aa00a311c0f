#include "common/file_io.h"

#include <cerrno>
#include <windows.h>

#include "common/fresh_file_win32.h"
#include "common/wide_text_win32.h"

namespace vm {
namespace {

using win32::ErrnoFromWin32;
using win32::WideFromUtf8;

bool Fail(FileError* error, int code, std::string message) {
    if (error) {
        error->code = code;
        error->message = std::move(message);
    }
    return false;
}

// Closes the handle on every way out.
struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
};

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\:");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 0 || path[slash] == ':' ? slash + 1 : slash);
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsRegularFile(const std::string& path, std::uint64_t* size) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    if (size)
        *size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool ForEachFileBlock(const std::string& path, size_t blockSize,
                      const std::function<void(const char* data, size_t size)>& onBlock,
                      FileError* error) {
    const std::wstring wide = WideFromUtf8(path);
    if (IsFolder(wide))
        return Fail(error, EISDIR, ReadFailureMessage(path, EISDIR));
    Handle file{::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        const int code = ErrnoFromWin32(::GetLastError());
        return Fail(error, code, ReadFailureMessage(path, code));
    }
    std::string block(blockSize, '\0');
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.h, block.data(), static_cast<DWORD>(block.size()), &n, nullptr)) {
            const int code = ErrnoFromWin32(::GetLastError());
            return Fail(error, code, ReadFailureMessage(path, code));
        }
        if (n == 0)
            return true;
        onBlock(block.data(), n);
    }
}

bool ReadFilePrefix(const std::string& path, size_t maxBytes, std::string& out, FileError* error) {
    out.clear();
    const std::wstring wide = WideFromUtf8(path);
    if (IsFolder(wide))
        return Fail(error, EISDIR, ReadFailureMessage(path, EISDIR));
    Handle file{::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        const int code = ErrnoFromWin32(::GetLastError());
        return Fail(error, code, ReadFailureMessage(path, code));
    }
    out.resize(maxBytes);
    size_t used = 0;
    while (used < maxBytes) {
        DWORD n = 0;
        const size_t left = maxBytes - used;
        const DWORD want = static_cast<DWORD>(left < (1u << 30) ? left : (1u << 30));
        if (!::ReadFile(file.h, out.data() + used, want, &n, nullptr)) {
            const int code = ErrnoFromWin32(::GetLastError());
            out.clear();
            return Fail(error, code, ReadFailureMessage(path, code));
        }
        if (n == 0)
            break;
        used += n;
    }
    out.resize(used);
    return true;
}

int MoveFileAside(const std::string& path, std::string& aside) {
    aside = win32::FreshNameBeside(path, "old");
    if (::MoveFileExW(WideFromUtf8(path).c_str(), WideFromUtf8(aside).c_str(),
                      MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    aside.clear();
    return ErrnoFromWin32(::GetLastError());
}

bool RenameOver(const std::string& from, const std::string& to) {
    return ::MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const std::string& path) {
    ::DeleteFileW(WideFromUtf8(path).c_str());
}

std::vector<std::string> NamesInFolder(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW item{};
    const HANDLE find = ::FindFirstFileW(WideFromUtf8(dir + "\\*").c_str(), &item);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = win32::Utf8FromWide(item.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileW(find, &item));
    ::FindClose(find);
    return names;
}

}  // namespace vm
