#include "common/line_reader.h"

namespace vm {

bool LineReader::Next(std::string& piece) {
    piece.clear();
    const size_t size = m_bytes.size();
    if (m_pos >= size) return false;
    while (m_pos < size && piece.size() < kMaxPiece) {
        const char c = m_bytes[m_pos];
        if (c == '\r' && m_pos + 1 < size && m_bytes[m_pos + 1] == '\n') {
            // Text mode turns CR LF into one LF.
            piece.push_back('\n');
            m_pos += 2;
            return true;
        }
        piece.push_back(c);
        ++m_pos;
        if (c == '\n') return true;
    }
    return true;
}

}  // namespace vm
