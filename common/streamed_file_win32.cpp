// The streamed file on Windows: the temporary file beside the target is
// written through to the disk and takes the target's name in one step, like
// every whole-file replacement of this build. m_fd is a C runtime descriptor
// wrapping the file's handle.
#include "common/streamed_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "common/fresh_file_win32.h"
#include "common/wide_text_win32.h"

namespace vm {
namespace {

using win32::ErrnoFromWin32;
using win32::WideFromUtf8;

bool Fail(FileError* error, const std::string& path, int code) {
    if (error) {
        error->code = code;
        error->message = WriteFailureMessage(path, code);
    }
    return false;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

StreamedFile::~StreamedFile() {
    if (m_fd >= 0) {
        ::_close(m_fd);
        ::DeleteFileW(WideFromUtf8(m_temp).c_str());
    }
}

// The per-user folders are private to the user already, so OwnerOnly needs
// nothing more here.
bool StreamedFile::Open(const std::string& path, FileMode /*mode*/, FileError* error) {
    m_path = path;
    m_openError = path.empty() ? ENOENT : IsFolder(path) ? EISDIR : 0;
    if (m_openError != 0)
        return Fail(error, path, m_openError);
    std::wstring temp;
    const HANDLE file = win32::CreateFileBeside(path, temp);
    if (file == INVALID_HANDLE_VALUE) {
        m_openError = ErrnoFromWin32(::GetLastError());
        return Fail(error, path, m_openError);
    }
    m_temp = win32::Utf8FromWide(temp);
    m_fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
    if (m_fd < 0) {
        ::CloseHandle(file);
        ::DeleteFileW(temp.c_str());
        m_openError = EMFILE;
        return Fail(error, path, m_openError);
    }
    m_used = 0;
    m_writeError = 0;
    return true;
}

void StreamedFile::WriteOut(const char* data, size_t size) {
    while (size > 0 && m_writeError == 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(HandleOf(m_fd), data, chunk, &written, nullptr)) {
            m_writeError = ErrnoFromWin32(::GetLastError());
            return;
        }
        data += written;
        size -= written;
    }
}

bool StreamedFile::Commit(FileError* error) {
    if (m_fd < 0)
        return Fail(error, m_path, m_openError != 0 ? m_openError : EBADF);
    Flush();
    int code = m_writeError;
    if (code == 0 && !::FlushFileBuffers(HandleOf(m_fd)))
        code = ErrnoFromWin32(::GetLastError());
    if (::_close(m_fd) != 0 && code == 0)
        code = EIO;
    m_fd = -1;
    const std::wstring temp = WideFromUtf8(m_temp);
    if (code == 0 && !::MoveFileExW(temp.c_str(), WideFromUtf8(m_path).c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        code = ErrnoFromWin32(::GetLastError());
    }
    m_buffer = std::string();
    if (code != 0) {
        ::DeleteFileW(temp.c_str());
        return Fail(error, m_path, code);
    }
    return true;
}

}  // namespace vm
