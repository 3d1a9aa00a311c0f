#include "common/source_bytes.h"

#include <cerrno>

namespace vm {

// The file is read to its size as it stands, with one byte of room to see
// whether it grew meanwhile; a file that grew, or one without a size (a pipe,
// a special file), is read the general way.
bool SourceBytes::Open(const std::string& path, FileError* error) {
    int code = 0;
    if (!ReadAtItsSize(path, code)) {
        if (error) {
            error->code = code;
            error->message = ReadFailureMessage(path, code);
        }
        return false;
    }
    if (m_buffer.Empty()) {
        if (!ReadFileBytes(path, m_grown, error))
            return false;
        m_view = m_grown;
    }
    return true;
}

bool SourceBytes::MakeRoom(size_t room, int& code) {
    if (m_buffer.Allocate(room))
        return true;
    code = ENOMEM;
    return false;
}

void SourceBytes::KeepRead(size_t done, size_t room) {
    if (done == room)
        m_buffer.Release();
    else
        m_view = std::string_view(m_buffer.Data(), done);
}

}  // namespace vm
