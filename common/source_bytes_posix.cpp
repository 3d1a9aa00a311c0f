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

}  // namespace

bool SourceBytes::ReadAtItsSize(const std::string& path, int& code) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    code = file.fd < 0 || ::fstat(file.fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (code != 0)
        return false;
    if (!S_ISREG(st.st_mode) || st.st_size <= 0)
        return true;
    const size_t room = static_cast<size_t>(st.st_size) + 1;
    if (!MakeRoom(room, code))
        return false;
    size_t done = 0;
    while (done < room) {
        const ssize_t n = ::read(file.fd, m_buffer.Data() + done, room - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            code = errno;
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    KeepRead(done, room);
    return true;
}

}  // namespace vm
