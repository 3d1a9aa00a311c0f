#include "common/source_bytes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
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
// a special file), is read the general way.
bool SourceBytes::Open(const std::string& path, FileError* error) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return Fail(error, path, errno);
    struct stat st {};
    if (::fstat(file.fd, &st) != 0)
        return Fail(error, path, errno);
    if (S_ISDIR(st.st_mode))
        return Fail(error, path, EISDIR);
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
        const size_t room = static_cast<size_t>(st.st_size) + 1;
        m_buffer.reset(new char[room]);
        size_t done = 0;
        while (done < room) {
            const ssize_t n = ::read(file.fd, m_buffer.get() + done, room - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return Fail(error, path, errno);
            if (n == 0)
                break;
            done += static_cast<size_t>(n);
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
