// The streamed file on Windows: the temporary file beside the target is
// written through to the disk and takes the target's name in one step, like
// every whole-file replacement of this build; a target with other hard links
// has its own content rewritten instead, once the new content is complete.
// m_fd is a C runtime descriptor wrapping the file's handle.
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

// True when the existing file at path has more names than this one.
bool HasOtherHardLinks(const std::string& path) {
    const HANDLE file = ::CreateFileW(WideFromUtf8(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool linked = ::GetFileInformationByHandle(file, &info) && info.nNumberOfLinks > 1;
    ::CloseHandle(file);
    return linked;
}

DWORD WriteAll(HANDLE file, const char* data, DWORD size) {
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(file, data, size, &written, nullptr))
            return ::GetLastError();
        data += written;
        size -= written;
    }
    return ERROR_SUCCESS;
}

// Copies the complete, flushed temporary file into the target's own content,
// so that every name of a hard-linked target sees it. The target is first
// given the new length, so a full disk is found before its content is touched.
DWORD CopyInPlace(HANDLE from, const std::string& to) {
    LARGE_INTEGER size{}, start{};
    if (!::GetFileSizeEx(from, &size) || !::SetFilePointerEx(from, start, nullptr, FILE_BEGIN))
        return ::GetLastError();
    const HANDLE file = ::CreateFileW(WideFromUtf8(to).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    DWORD code = ERROR_SUCCESS;
    if (!::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) || !::SetEndOfFile(file) ||
        !::SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        code = ::GetLastError();
    std::string block(1 << 20, '\0');
    for (DWORD n = 1; code == ERROR_SUCCESS && n > 0;) {
        if (!::ReadFile(from, block.data(), static_cast<DWORD>(block.size()), &n, nullptr))
            code = ::GetLastError();
        else
            code = WriteAll(file, block.data(), n);
    }
    if (code == ERROR_SUCCESS && !::FlushFileBuffers(file))
        code = ::GetLastError();
    ::CloseHandle(file);
    return code;
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
    m_inPlace = HasOtherHardLinks(m_path);
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
    if (code == 0 && m_inPlace) {
        const DWORD copied = CopyInPlace(HandleOf(m_fd), m_path);
        code = copied == ERROR_SUCCESS ? 0 : ErrnoFromWin32(copied);
    }
    if (::_close(m_fd) != 0 && code == 0)
        code = EIO;
    m_fd = -1;
    const std::wstring temp = WideFromUtf8(m_temp);
    if (code == 0 && !m_inPlace &&
        !::MoveFileExW(temp.c_str(), WideFromUtf8(m_path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        code = ErrnoFromWin32(::GetLastError());
    }
    m_buffer = std::string();
    if (code != 0 || m_inPlace)
        ::DeleteFileW(temp.c_str());
    ForgetTemporary(m_temp);
    if (code != 0)
        return Fail(error, code, WriteFailureMessage(m_shownPath, code));
    return true;
}

}  // namespace vm
