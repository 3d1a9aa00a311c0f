#include "common/streamed_file.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

bool Fail(FileError* error, const std::string& path, int code) {
    if (error) {
        error->code = code;
        error->message = WriteFailureMessage(path, code);
    }
    return false;
}

mode_t PermissionsFor(const std::string& path, FileMode mode) {
    if (mode == FileMode::OwnerOnly)
        return 0600;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

StreamedFile::~StreamedFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temp.c_str());
    }
}

bool StreamedFile::Open(const std::string& path, FileMode mode, FileError* error) {
    m_path = path;
    struct stat st {};
    m_openError = path.empty()                                            ? ENOENT
                  : ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? EISDIR
                                                                          : 0;
    if (m_openError != 0)
        return Fail(error, path, m_openError);
    m_permissions = PermissionsFor(path, mode);
    m_temp = FolderOf(path) + "/.vm-XXXXXX";
    m_fd = ::mkstemp(m_temp.data());
    if (m_fd < 0) {
        m_openError = errno;
        return Fail(error, path, m_openError);
    }
    m_used = 0;
    m_writeError = 0;
    return true;
}

void StreamedFile::WriteOut(const char* data, size_t size) {
    while (size > 0 && m_writeError == 0) {
        const ssize_t n = ::write(m_fd, data, size);
        if (n < 0) {
            if (errno != EINTR)
                m_writeError = errno;
            continue;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}

bool StreamedFile::Commit(FileError* error) {
    if (m_fd < 0)
        return Fail(error, m_path, m_openError != 0 ? m_openError : EBADF);
    Flush();
    int code = m_writeError;
    if (code == 0 && (::fsync(m_fd) != 0 || ::fchmod(m_fd, m_permissions) != 0))
        code = errno;
    if (::close(m_fd) != 0 && code == 0)
        code = errno;
    m_fd = -1;
    if (code == 0 && ::rename(m_temp.c_str(), m_path.c_str()) != 0)
        code = errno;
    m_buffer = std::string();
    if (code != 0) {
        ::unlink(m_temp.c_str());
        return Fail(error, m_path, code);
    }
    return true;
}

}  // namespace vm
