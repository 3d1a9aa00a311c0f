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
#include "common/temporary_files.h"
#include "common/wide_text_win32.h"

namespace vm {
namespace {

using win32::ErrnoFromWin32;
using win32::WideFromUtf8;

bool Fail(FileError* error, int code, const std::string& message, bool refused = false) {
    if (error) {
        error->code = code;
        error->message = message;
        error->refused = refused;
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
        ForgetTemporary(m_temp);
    }
}

// The per-user folders are private to the user already, so OwnerOnly needs
// nothing more here.
bool StreamedFile::Open(const std::string& path, FileMode /*mode*/, FileError* error) {
    m_shownPath = path;
    m_path = path.empty() ? path : ResolveLinks(path);
    m_openError = path.empty() ? ENOENT : IsFolder(m_path) ? EISDIR : 0;
    m_openMessage = m_openError != 0 ? WriteFailureMessage(path, m_openError) : std::string();
    m_openRefused = m_openError == 0 && IsReadOnlyFile(m_path);
    if (m_openRefused) {
        m_openError = EACCES;
        m_openMessage = ReadOnlyFileMessage(path);
    }
    if (m_openError != 0)
        return Fail(error, m_openError, m_openMessage, m_openRefused);
    RemoveStaleTemporaries(FolderOf(m_path));
    std::wstring temp;
    const HANDLE file = win32::CreateFileBeside(m_path, temp);
    if (file == INVALID_HANDLE_VALUE) {
        m_openError = ErrnoFromWin32(::GetLastError());
        m_openRefused = m_openError == EACCES;
        m_openMessage = m_openRefused ? FolderNotWritableMessage(FolderOf(path))
                                      : WriteFailureMessage(path, m_openError);
        return Fail(error, m_openError, m_openMessage, m_openRefused);
    }
    m_temp = win32::Utf8FromWide(temp);
    m_fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
    if (m_fd < 0) {
        ::CloseHandle(file);
        ::DeleteFileW(temp.c_str());
        m_openError = EMFILE;
        m_openMessage = WriteFailureMessage(path, m_openError);
        return Fail(error, m_openError, m_openMessage, m_openRefused);
    }
    TrackTemporary(m_temp);
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
    if (m_fd < 0) {
        const int code = m_openError != 0 ? m_openError : EBADF;
        return Fail(error, code,
                    m_openMessage.empty() ? WriteFailureMessage(m_shownPath, code) : m_openMessage,
                    m_openRefused);
    }
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
    if (code != 0)
        ::DeleteFileW(temp.c_str());
    ForgetTemporary(m_temp);
    if (code != 0)
        return Fail(error, code, WriteFailureMessage(m_shownPath, code));
    return true;
}

}  // namespace vm
