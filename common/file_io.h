#pragma once
// Whole-file reading and writing for the conversions and exports. Files are
// bytes: nothing is decoded or re-encoded. Writes go to a temporary file in the
// target's folder and are renamed over the target only once every byte is on
// disk, so a failed write never leaves a half-written target behind.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vm {

struct FileError {
    int code = 0;          // errno of the failed call, 0 when none
    std::string message;   // the user's message, in Chinese, naming the path
    bool refused = false;  // refused for what the file or folder is (read-only), not a failure
};

// Reads the whole file. On failure returns false and fills error (if given).
bool ReadFileBytes(const std::string& path, std::string& out, FileError* error = nullptr);

enum class FileMode { Normal, OwnerOnly };

// Replaces path with data atomically. Normal files get the usual permissions
// (0666 less the umask, or the replaced file's own); OwnerOnly files 0600.
bool WriteFileAtomic(const std::string& path, const std::string& data, FileError* error = nullptr,
                     FileMode mode = FileMode::Normal);

// The folder a path names a file in ("." for a bare name), where the
// temporary files that replace it are made.
std::string FolderOf(const std::string& path);
// The file's own name, without the folders before it.
std::string FileNameOf(const std::string& path);

// The file a path finally names once symbolic links are followed: the path
// itself when it is no link; for a link to a file not made yet, that file's path.
std::string ResolveLinks(const std::string& path);

// What tells two paths for one file apart from two files: the file's device and
// number, or, for a file not made yet, its folder's and its name. Links are followed.
std::string FileKey(const std::string& path);

// True when the file at path exists and its own permission bits (or, on
// Windows, its read-only attribute) forbid writing it, whoever asks.
bool IsReadOnlyFile(const std::string& path);

// Seconds since the file was last written; false when it cannot be told.
bool SecondsSinceWritten(const std::string& path, double& seconds);

// The reason of an errno in the UI's language.
std::string ErrnoReason(int code);

// "无法读取文件 PATH：REASON" / "无法写入文件 PATH：REASON".
std::string ReadFailureMessage(const std::string& path, int code);
std::string WriteFailureMessage(const std::string& path, int code);
// "文件是只读的：PATH" / "文件夹不可写：DIR".
std::string ReadOnlyFileMessage(const std::string& path);
std::string FolderNotWritableMessage(const std::string& dir);

bool FileExists(const std::string& path);

// The operating system's file calls behind the functions above, one source per
// system (file_io_posix.cpp, file_io_win32.cpp). Paths are UTF-8 on every system.

// True when path is a regular file; its size in size (if given).
bool IsRegularFile(const std::string& path, std::uint64_t* size = nullptr);

// Hands the file's bytes to onBlock in blocks of at most blockSize, in order.
bool ForEachFileBlock(const std::string& path, size_t blockSize,
                      const std::function<void(const char* data, size_t size)>& onBlock,
                      FileError* error = nullptr);

// Reads at most maxBytes from the start of the file (a glimpse of a file
// that may be large). On failure returns false and fills error (if given).
bool ReadFilePrefix(const std::string& path, size_t maxBytes, std::string& out,
                    FileError* error = nullptr);

// Moves a regular file aside to a fresh name in its own folder (returned in
// aside) so a new file can take its place; 0 or the errno of the failure.
int MoveFileAside(const std::string& path, std::string& aside);
// Puts a file moved aside back in place (replacing whatever is there now).
bool RenameOver(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);

// The names of the entries in folder dir (files and folders, "." and ".."
// left out); empty when it cannot be read.
std::vector<std::string> NamesInFolder(const std::string& dir);

}  // namespace vm
