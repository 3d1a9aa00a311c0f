#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t PermissionsFor(const std::string& path, FileMode mode) {
    if (mode == FileMode::OwnerOnly) return 0600;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::string ErrnoReason(int code) {
    switch (code) {
        case ENOENT: return "文件或文件夹不存在";
        case EACCES:
        case EPERM: return "没有访问权限";
        case ENOSPC: return "磁盘空间不足";
        case EDQUOT: return "超出磁盘配额";
        case EROFS: return "文件系统是只读的";
        case EISDIR: return "这是一个文件夹";
        case ENOTDIR: return "路径中有一部分不是文件夹";
        case EFBIG: return "文件太大";
        case ENAMETOOLONG: return "文件名太长";
        case EIO: return "输入输出错误";
        case ENOMEM: return "内存不足";
        default: return std::strerror(code);
    }
}

std::string ReadFailureMessage(const std::string& path, int code) {
    return "无法读取文件 " + path + "：" + ErrnoReason(code);
}

std::string WriteFailureMessage(const std::string& path, int code) {
    return "无法写入文件 " + path + "：" + ErrnoReason(code);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool ReadFileBytes(const std::string& path, std::string& out, FileError* error) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail(error, errno, ReadFailureMessage(path, errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Fail(error, EISDIR, ReadFailureMessage(path, EISDIR));
    }
    if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            out.clear();
            return Fail(error, code, ReadFailureMessage(path, code));
        }
        if (n == 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& data, FileError* error,
                     FileMode mode) {
    if (path.empty()) return Fail(error, ENOENT, WriteFailureMessage(path, ENOENT));
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return Fail(error, EISDIR, WriteFailureMessage(path, EISDIR));
    }
    const mode_t permissions = PermissionsFor(path, mode);
    std::string temp = FolderOf(path) + "/.vm-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Fail(error, errno, WriteFailureMessage(path, errno));
    int code = 0;
    if (!WriteAll(fd, data) || ::fsync(fd) != 0 || ::fchmod(fd, permissions) != 0) code = errno;
    if (::close(fd) != 0 && code == 0) code = errno;
    if (code == 0 && ::rename(temp.c_str(), path.c_str()) != 0) code = errno;
    if (code != 0) {
        ::unlink(temp.c_str());
        return Fail(error, code, WriteFailureMessage(path, code));
    }
    return true;
}

}  // namespace vm
