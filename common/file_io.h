#pragma once
// Whole-file reading and writing for the conversions and exports. Files are
// bytes: nothing is decoded or re-encoded. Writes go to a temporary file in the
// target's folder and are renamed over the target only once every byte is on
// disk, so a failed write never leaves a half-written target behind.

#include <string>

namespace vm {

struct FileError {
    int code = 0;         // errno of the failed call, 0 when none
    std::string message;  // the user's message, in Chinese, naming the path
};

// Reads the whole file. On failure returns false and fills error (if given).
bool ReadFileBytes(const std::string& path, std::string& out, FileError* error = nullptr);

enum class FileMode { Normal, OwnerOnly };

// Replaces path with data atomically. Normal files get the usual permissions
// (0666 less the umask, or the replaced file's own); OwnerOnly files 0600.
bool WriteFileAtomic(const std::string& path, const std::string& data,
                     FileError* error = nullptr, FileMode mode = FileMode::Normal);

// The reason of an errno in the UI's language.
std::string ErrnoReason(int code);

// "无法读取文件 PATH：REASON" / "无法写入文件 PATH：REASON".
std::string ReadFailureMessage(const std::string& path, int code);
std::string WriteFailureMessage(const std::string& path, int code);

bool FileExists(const std::string& path);

}  // namespace vm
