#include "common/streamed_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/temporary_files.h"

namespace vm {
namespace {

bool Fail(FileError* error, int code, const std::string& message, bool refused = false) {
    if (error) {
        error->code = code;
        error->message = message;
        error->refused = refused;
    }
    return false;
}

mode_t NewFilePermissions(FileMode mode) {
    if (mode == FileMode::OwnerOnly)
        return 0600;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes all of data at offset; 0 or the errno of the failure.
int WriteAllAt(int fd, const char* data, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return 0;
}

// Copies the complete, synced temporary file into the target's own content, so
// that every name of a hard-linked target sees it. The room is claimed first,
// so a full disk is found before the old content is touched.
int CopyInPlace(int from, const std::string& to) {
    struct stat st {};
    if (::fstat(from, &st) != 0)
        return errno;
    const int fd = ::open(to.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int code = st.st_size > 0 ? ::posix_fallocate(fd, 0, st.st_size) : 0;
    if (code == EOPNOTSUPP || code == EINVAL)
        code = 0;  // a file system that cannot reserve room: written as it comes
    std::string block(1 << 20, '\0');
    for (off_t at = 0; code == 0 && at < st.st_size;) {
        const ssize_t n = ::pread(from, block.data(), block.size(), at);
        if (n <= 0) {
            code = n < 0 && errno == EINTR ? 0 : (n < 0 ? errno : EIO);
            continue;
        }
        code = WriteAllAt(fd, block.data(), static_cast<size_t>(n), at);
        at += n;
    }
    if (code == 0 && (::ftruncate(fd, st.st_size) != 0 || ::fsync(fd) != 0))
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    return code;
}

// Owner and group go back as far as the process may set them: a user who may
// not give the file away still keeps its group where they belong to it.
void KeepOwner(int fd, long long owner, long long group) {
    if (::fchown(fd, static_cast<uid_t>(owner), static_cast<gid_t>(group)) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(group));
}

// Creates the temporary file and tracks it with the ending signals held, so
// that no signal can come between the two and leave the file behind.
int MakeTrackedTemporary(std::string& path) {
    sigset_t ending, previous;
    ::sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaddset(&ending, signal);
    ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
    const int fd = ::mkstemp(path.data());
    const int code = errno;
    if (fd >= 0)
        TrackTemporary(path);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = code;
    return fd;
}

}  // namespace

StreamedFile::~StreamedFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temp.c_str());
        ForgetTemporary(m_temp);
    }
}

bool StreamedFile::Open(const std::string& path, FileMode mode, FileError* error) {
    m_shownPath = path;
    m_path = ResolveLinks(path);
    m_openError = 0;
    m_openRefused = false;
    struct stat st {};
    const bool exists = !path.empty() && ::stat(m_path.c_str(), &st) == 0;
    if (path.empty() || (exists && S_ISDIR(st.st_mode))) {
        m_openError = path.empty() ? ENOENT : EISDIR;
        m_openMessage = WriteFailureMessage(path, m_openError);
    } else if (exists && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        m_openError = EACCES;
        m_openMessage = ReadOnlyFileMessage(path);
        m_openRefused = true;
    }
    if (m_openError != 0)
        return Fail(error, m_openError, m_openMessage, m_openRefused);
    const bool replaces = exists && S_ISREG(st.st_mode);
    m_permissions =
        replaces && mode == FileMode::Normal ? st.st_mode & 07777 : NewFilePermissions(mode);
    m_owner = replaces ? static_cast<long long>(st.st_uid) : -1;
    m_group = replaces ? static_cast<long long>(st.st_gid) : -1;
    m_inPlace = replaces && st.st_nlink > 1;
    const std::string folder = FolderOf(m_path);
    RemoveStaleTemporaries(folder);
    m_temp = folder + "/.vm-XXXXXX";
    m_fd = MakeTrackedTemporary(m_temp);
    if (m_fd < 0) {
        m_openError = errno;
        m_openRefused = m_openError == EACCES;
        m_openMessage = m_openRefused ? FolderNotWritableMessage(FolderOf(path))
                                      : WriteFailureMessage(path, m_openError);
        return Fail(error, m_openError, m_openMessage, m_openRefused);
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
    if (m_fd < 0) {
        const int code = m_openError != 0 ? m_openError : EBADF;
        return Fail(error, code,
                    m_openMessage.empty() ? WriteFailureMessage(m_shownPath, code) : m_openMessage,
                    m_openRefused);
    }
    Flush();
    int code = m_writeError;
    if (code == 0 && m_owner >= 0 && !m_inPlace)
        KeepOwner(m_fd, m_owner, m_group);
    if (code == 0 && (::fsync(m_fd) != 0 || ::fchmod(m_fd, m_permissions) != 0))
        code = errno;
    if (code == 0 && m_inPlace)
        code = CopyInPlace(m_fd, m_path);
    if (::close(m_fd) != 0 && code == 0)
        code = errno;
    m_fd = -1;
    if (code == 0 && !m_inPlace && ::rename(m_temp.c_str(), m_path.c_str()) != 0)
        code = errno;
    m_buffer = std::string();
    if (code != 0 || m_inPlace)
        ::unlink(m_temp.c_str());
    ForgetTemporary(m_temp);
    if (code != 0)
        return Fail(error, code, WriteFailureMessage(m_shownPath, code));
    return true;
}

}  // namespace vm
