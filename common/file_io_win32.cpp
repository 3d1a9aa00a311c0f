#include "common/file_io.h"

#include <algorithm>
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

bool WriteAll(HANDLE file, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data.data() + done, chunk, &written, nullptr))
            return false;
        done += written;
    }
    return true;
}

}  // namespace

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

// The new bytes go to a fresh file beside the target, written through to the
// disk, and only then take the target's name in one step: a full disk or a
// crash leaves the old file whole, never a half-written one. The per-user
// folders are private to the user already, so OwnerOnly needs nothing more.
bool WriteFileAtomic(const std::string& path, const std::string& data, FileError* error,
                     FileMode /*mode*/) {
    if (path.empty())
        return Fail(error, ENOENT, WriteFailureMessage(path, ENOENT));
    const std::wstring target = WideFromUtf8(path);
    if (IsFolder(target))
        return Fail(error, EISDIR, WriteFailureMessage(path, EISDIR));

    std::wstring temp;
    HANDLE file = win32::CreateFileBeside(path, temp);
    if (file == INVALID_HANDLE_VALUE) {
        const int code = ErrnoFromWin32(::GetLastError());
        return Fail(error, code, WriteFailureMessage(path, code));
    }
    DWORD failure = 0;
    if (!WriteAll(file, data) || !::FlushFileBuffers(file))
        failure = ::GetLastError();
    if (!::CloseHandle(file) && failure == 0)
        failure = ::GetLastError();
    if (failure == 0 && !::MoveFileExW(temp.c_str(), target.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = ::GetLastError();
    }
    if (failure != 0) {
        ::DeleteFileW(temp.c_str());
        const int code = ErrnoFromWin32(failure);
        return Fail(error, code, WriteFailureMessage(path, code));
    }
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
