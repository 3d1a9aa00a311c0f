#include "serial/journal_file.h"

#include <cerrno>
#include <windows.h>

#include "common/wide_text_win32.h"

namespace vm {
namespace {

HANDLE ToHandle(long long handle) {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle));
}

}  // namespace

CJournalFile::~CJournalFile() {
    Close();
}

bool CJournalFile::Create(const std::string& path, int& error) {
    Close();
    // Written through: each append is on the disk when WriteFile returns; the
    // flush after it also writes what the file system keeps about the file.
    const HANDLE h =
        ::CreateFileW(win32::WideFromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = win32::ErrnoFromWin32(::GetLastError());
        return false;
    }
    m_handle = static_cast<long long>(reinterpret_cast<intptr_t>(h));
    return true;
}

bool CJournalFile::Append(const char* data, std::size_t size, std::size_t& written, int& error) {
    written = 0;
    if (m_handle < 0) {
        error = EBADF;
        return false;
    }
    const HANDLE h = ToHandle(m_handle);
    while (written < size) {
        const DWORD chunk =
            static_cast<DWORD>(size - written < (1u << 30) ? size - written : 1u << 30);
        DWORD n = 0;
        if (!::WriteFile(h, data + written, chunk, &n, nullptr) || n == 0) {
            error = win32::ErrnoFromWin32(::GetLastError());
            return false;
        }
        written += n;
    }
    if (!::FlushFileBuffers(h)) {
        error = win32::ErrnoFromWin32(::GetLastError());
        return false;
    }
    return true;
}

void CJournalFile::Close() {
    if (m_handle >= 0)
        ::CloseHandle(ToHandle(m_handle));
    m_handle = -1;
}

long long CurrentProcessId() {
    return ::GetCurrentProcessId();
}

bool ProcessIsRunning(long long pid) {
    if (pid <= 0)
        return false;
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;  // another user's process
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

}  // namespace vm
