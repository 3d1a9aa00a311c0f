#include "common/source_bytes.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

#include "common/wide_text_win32.h"

namespace vm {
namespace {

using win32::ErrnoFromWin32;

// Closes the handle on every way out.
struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
};

}  // namespace

bool SourceBytes::ReadAtItsSize(const std::string& path, int& code) {
    const std::wstring wide = win32::WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        code = EISDIR;
        return false;
    }
    Handle file{::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    LARGE_INTEGER size{};
    if (file.h == INVALID_HANDLE_VALUE) {
        code = ErrnoFromWin32(::GetLastError());
        return false;
    }
    if (::GetFileType(file.h) != FILE_TYPE_DISK || !::GetFileSizeEx(file.h, &size) ||
        size.QuadPart <= 0) {
        return true;
    }
    const size_t room = static_cast<size_t>(size.QuadPart) + 1;
    if (!MakeRoom(room, code))
        return false;
    size_t done = 0;
    while (done < room) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(room - done, 1u << 30));
        DWORD n = 0;
        if (!::ReadFile(file.h, m_buffer.Data() + done, chunk, &n, nullptr)) {
            code = ErrnoFromWin32(::GetLastError());
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    KeepRead(done, room);
    return true;
}

}  // namespace vm
