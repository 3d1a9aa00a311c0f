#pragma once
// A file written as it is produced: the text gathers in one reused buffer that
// goes to a temporary file in the target's folder each time it fills. Commit
// renames the temporary file over the target once every byte is on disk; a
// file that is never committed, or fails, leaves the target as it was.
//
// The target is the file a symbolic link names (the link stays a link); a
// read-only target is refused; a replaced file keeps its permissions and, where
// the process may set them, its owner and group; a target with several hard
// links is written in place once the new content is complete and on disk.

#include <string>
#include <string_view>

#include "common/file_io.h"

namespace vm {

class StreamedFile {
public:
    static constexpr size_t kBufferSize = 1 << 20;

    StreamedFile() = default;
    ~StreamedFile();  // removes an uncommitted temporary file
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    // Creates the temporary file for path. False (with error filled, when
    // given) when it cannot be made.
    bool Open(const std::string& path, FileMode mode = FileMode::Normal,
              FileError* error = nullptr);
    bool IsOpen() const { return m_fd >= 0; }

    // Room for n more bytes (n at most kBufferSize) at the end of the buffer;
    // Added(k) then counts the k bytes written there.
    char* Room(size_t n) {
        if (m_buffer.size() - m_used < n)
            Flush();
        return m_buffer.data() + m_used;
    }
    void Added(size_t k) { m_used += k; }

    void Append(std::string_view text) {
        if (text.size() > m_buffer.size() - m_used && !AppendLarge(text))
            return;
        text.copy(m_buffer.data() + m_used, text.size());
        m_used += text.size();
    }
    void Append(char c) {
        *Room(1) = c;
        ++m_used;
    }

    // Writes the rest, syncs, sets the permissions and renames over the target.
    // For a file that could not be opened, the reason it could not.
    bool Commit(FileError* error = nullptr);

private:
    void Flush();
    bool AppendLarge(std::string_view& text);  // false when nothing is left to copy
    void WriteOut(const char* data, size_t size);

    std::string m_shownPath;  // the path as the user gave it, for messages
    std::string m_path;       // the file it names, links followed
    std::string m_temp;
    int m_fd = -1;
    unsigned m_permissions = 0;
    long long m_owner = -1;  // the replaced file's owner and group, -1 for a new file
    long long m_group = -1;
    bool m_inPlace = false;  // the target has other hard links: its content is rewritten
    std::string m_buffer;
    size_t m_used = 0;
    int m_writeError = 0;        // errno of the first failed write
    int m_openError = 0;         // errno of a failed Open
    std::string m_openMessage;   // the message of a failed Open
    bool m_openRefused = false;  // refused for a read-only file or folder
};

}  // namespace vm
