#include "common/source_bytes.h"

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
    if (!m_buffer.Empty())
        return true;
    if (!ReadFileBytes(path, m_grown, error))
        return false;
    m_view = m_grown;
    return true;
}

}  // namespace vm
