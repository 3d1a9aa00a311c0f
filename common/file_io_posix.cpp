#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

bool Fail(FileError* error, int code, std::string message) {
    if (error) {
        error->code = code;
        error->message = std::move(message);
    }
    return false;
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

std::string ResolveLinks(const std::string& path) {
    std::string resolved = path;
    // The kernel's own limit on links followed in one path.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return resolved;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(resolved.c_str(), target.data(), target.size());
        if (n <= 0)
            return resolved;
        target.resize(static_cast<size_t>(n));
        const size_t slash = resolved.find_last_of('/');
        resolved = target[0] == '/' || slash == std::string::npos
                       ? target
                       : resolved.substr(0, slash + 1) + target;
    }
    return resolved;
}

std::string FileKey(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return "file:" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    const std::string resolved = ResolveLinks(path);
    const std::string folder = FolderOf(resolved);
    if (::stat(folder.c_str(), &st) != 0)
        return "path:" + resolved;
    const size_t slash = resolved.find_last_of('/');
    return "new:" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + "/" +
           (slash == std::string::npos ? resolved : resolved.substr(slash + 1));
}

// The owner's write bit decides, not access(): a file the user marked
// read-only stays so for the superuser too.
bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}

bool SecondsSinceWritten(const std::string& path, double& seconds) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    seconds = std::difftime(std::time(nullptr), st.st_mtime);
    return true;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path, std::uint64_t* size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (size)
        *size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    return true;
}

bool ForEachFileBlock(const std::string& path, size_t blockSize,
                      const std::function<void(const char* data, size_t size)>& onBlock,
                      FileError* error) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return Fail(error, errno, ReadFailureMessage(path, errno));
    struct stat st {};
    if (::fstat(file.fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        return Fail(error, EISDIR, ReadFailureMessage(path, EISDIR));
    }
    std::string block(blockSize, '\0');
    for (;;) {
        const ssize_t n = ::read(file.fd, block.data(), block.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(error, errno, ReadFailureMessage(path, errno));
        }
        if (n == 0)
            return true;
        onBlock(block.data(), static_cast<size_t>(n));
    }
}

bool ReadFilePrefix(const std::string& path, size_t maxBytes, std::string& out, FileError* error) {
    out.clear();
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return Fail(error, errno, ReadFailureMessage(path, errno));
    out.resize(maxBytes);
    size_t used = 0;
    while (used < maxBytes) {
        const ssize_t n = ::read(file.fd, out.data() + used, maxBytes - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.clear();
            return Fail(error, errno, ReadFailureMessage(path, errno));
        }
        if (n == 0)
            break;
        used += static_cast<size_t>(n);
    }
    out.resize(used);
    return true;
}

int MoveFileAside(const std::string& path, std::string& aside) {
    aside = FolderOf(path) + "/.vm-old-XXXXXX";
    const int fd = ::mkstemp(aside.data());
    int code = fd < 0 ? errno : 0;
    if (fd >= 0) {
        ::close(fd);
        if (::rename(path.c_str(), aside.c_str()) != 0) {
            code = errno;
            ::unlink(aside.c_str());
        }
    }
    if (code != 0)
        aside.clear();
    return code;
}

bool RenameOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

std::vector<std::string> NamesInFolder(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* item = ::readdir(d)) {
            const std::string name = item->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(d);
    }
    return names;
}

}  // namespace vm
