#include "serial/journal_file.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vm {

CJournalFile::~CJournalFile() {
    Close();
}

bool CJournalFile::Create(const std::string& path, int& error) {
    // A write past the file-size limit must fail with EFBIG, not end the
    // program: the download goes on in the pane without its journal.
    static const bool ignoreSizeSignal = [] { return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR; }();
    (void)ignoreSizeSignal;
    Close();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno;
        return false;
    }
    m_handle = fd;
    return true;
}

bool CJournalFile::Append(const char* data, std::size_t size, std::size_t& written, int& error) {
    written = 0;
    if (m_handle < 0) {
        error = EBADF;
        return false;
    }
    const int fd = static_cast<int>(m_handle);
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fdatasync(fd) != 0) {
        error = errno;
        return false;
    }
    return true;
}

void CJournalFile::Close() {
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
    m_handle = -1;
}

long long CurrentProcessId() {
    return ::getpid();
}

bool ProcessIsRunning(long long pid) {
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace vm
