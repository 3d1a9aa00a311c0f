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

std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("/\\:") + 1);
}

// The file's final path from the system, which follows every link; the path as
// given when it names no file yet.
std::string ResolveLinks(const std::string& path) {
    Handle file{::CreateFileW(WideFromUtf8(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE)
        return path;
    std::wstring final(32768, L'\0');
    const DWORD n =
        ::GetFinalPathNameByHandleW(file.h, final.data(), static_cast<DWORD>(final.size()), 0);
    if (n == 0 || n >= final.size())
        return path;
    final.resize(n);
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        final = L"\\\\" + final.substr(8);
    else if (final.compare(0, 4, L"\\\\?\\") == 0)
        final = final.substr(4);
    return win32::Utf8FromWide(final);
}

std::string FileKey(const std::string& path) {
    Handle file{::CreateFileW(WideFromUtf8(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.h != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file.h, &info)) {
        return "file:" + std::to_string(info.dwVolumeSerialNumber) + ":" +
               std::to_string(info.nFileIndexHigh) + ":" + std::to_string(info.nFileIndexLow);
    }
    if (path.empty())
        return "path:";
    const std::string folder = FolderOf(path);
    const size_t cut = path.find_last_of("/\\:");
    std::wstring name = WideFromUtf8(cut == std::string::npos ? path : path.substr(cut + 1));
    ::CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));  // names ignore case here
    return "new:" + FileKey(folder) + "/" + win32::Utf8FromWide(name);
}

bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

bool SecondsSinceWritten(const std::string& path, double& seconds) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    seconds =
        (static_cast<double>(ticks(now)) - static_cast<double>(ticks(data.ftLastWriteTime))) / 1e7;
    return true;
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
