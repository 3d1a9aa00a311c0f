// The buffering of a streamed file, the same on every system; opening,
// writing out and committing are the platform's (streamed_file_posix.cpp,
// streamed_file_win32.cpp).
#include "common/streamed_file.h"

namespace vm {

// Without an open file the text is dropped: an unopened StreamedFile is a
// sink for a pass that only counts.
void StreamedFile::Flush() {
    if (m_fd >= 0)
        WriteOut(m_buffer.data(), m_used);
    m_used = 0;
    if (m_buffer.empty())
        m_buffer.resize(kBufferSize);
}

// A text longer than the buffer's free room: the buffer goes out first, and a
// text longer than the whole buffer goes out directly.
bool StreamedFile::AppendLarge(std::string_view& text) {
    Flush();
    if (text.size() <= m_buffer.size())
        return true;
    if (m_fd >= 0)
        WriteOut(text.data(), text.size());
    return false;
}

}  // namespace vm
