#include "common/file_io.h"

#include "common/streamed_file.h"

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
    StreamedFile file;
    if (!file.Open(path, mode, error)) return false;
    file.Append(data);
    return file.Commit(error);
}

}  // namespace vm
