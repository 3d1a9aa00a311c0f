// The source file read once on Windows, through its UTF-16 name.
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

bool Fail(FileError* error, const std::string& path, int code) {
    if (error) {
        error->code = code;
        error->message = ReadFailureMessage(path, code);
    }
    return false;
}

}  // namespace

// The file is read to its size as it stands, with one byte of room to see
// whether it grew meanwhile; a file that grew, or one without a size (a pipe,
// a device), is read the general way.
bool SourceBytes::Open(const std::string& path, FileError* error) {
    const std::wstring wide = win32::WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(error, path, EISDIR);
    Handle file{::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE)
        return Fail(error, path, ErrnoFromWin32(::GetLastError()));
    LARGE_INTEGER size{};
    if (::GetFileType(file.h) == FILE_TYPE_DISK && ::GetFileSizeEx(file.h, &size) &&
        size.QuadPart > 0) {
        const size_t room = static_cast<size_t>(size.QuadPart) + 1;
        m_buffer.reset(new char[room]);
        size_t done = 0;
        while (done < room) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(room - done, 1u << 30));
            DWORD n = 0;
            if (!::ReadFile(file.h, m_buffer.get() + done, chunk, &n, nullptr))
                return Fail(error, path, ErrnoFromWin32(::GetLastError()));
            if (n == 0)
                break;
            done += n;
        }
        if (done < room) {
            m_view = std::string_view(m_buffer.get(), done);
            return true;
        }
        m_buffer.reset();
    }
    if (!ReadFileBytes(path, m_grown, error))
        return false;
    m_view = m_grown;
    return true;
}

}  // namespace vm
