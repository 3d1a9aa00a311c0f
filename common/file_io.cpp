#include "common/file_io.h"

#include "common/streamed_file.h"

#include <cerrno>
#include <cstring>

// The C library of the Windows build has no disk-quota code; Windows reports a
// full quota as a full disk.
#ifndef EDQUOT
#define EDQUOT ENOSPC
#endif

namespace vm {

std::string ErrnoReason(int code) {
    switch (code) {
        case ENOENT:
            return "文件或文件夹不存在";
        case EACCES:
        case EPERM:
            return "没有访问权限";
        case ENOSPC:
            return "磁盘空间不足";
#if EDQUOT != ENOSPC
        case EDQUOT:
            return "超出磁盘配额";
#endif
        case EROFS:
            return "文件系统是只读的";
        case EISDIR:
            return "这是一个文件夹";
        case ENOTDIR:
            return "路径中有一部分不是文件夹";
        case EFBIG:
            return "文件太大";
        case ENAMETOOLONG:
            return "文件名太长";
        case EIO:
            return "输入输出错误";
        case ENOMEM:
            return "内存不足";
        default:
            return std::strerror(code);
    }
}

std::string ReadFailureMessage(const std::string& path, int code) {
    return "无法读取文件 " + path + "：" + ErrnoReason(code);
}

std::string WriteFailureMessage(const std::string& path, int code) {
    return "无法写入文件 " + path + "：" + ErrnoReason(code);
}

std::string ReadOnlyFileMessage(const std::string& path) {
    return "文件是只读的：" + path;
}

std::string FolderNotWritableMessage(const std::string& dir) {
    return "文件夹不可写：" + dir;
}

bool ReadFileBytes(const std::string& path, std::string& out, FileError* error) {
    out.clear();
    std::uint64_t size = 0;
    if (IsRegularFile(path, &size) && size > 0)
        out.reserve(static_cast<size_t>(size));
    const bool ok = ForEachFileBlock(
        path, 1 << 16, [&](const char* data, size_t n) { out.append(data, n); }, error);
    if (!ok)
        out.clear();
    return ok;
}

// The bytes go to a temporary file beside the target and take its name only
// once all of them are on disk (the platform's part is in StreamedFile).
bool WriteFileAtomic(const std::string& path, const std::string& data, FileError* error,
                     FileMode mode) {
    StreamedFile file;
    if (!file.Open(path, mode, error))
        return false;
    file.Append(data);
    return file.Commit(error);
}

}  // namespace vm
