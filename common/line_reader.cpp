#include "common/line_reader.h"

#include <algorithm>
#include <cstring>

namespace vm {

bool LineReader::Next(std::string& piece) {
    piece.clear();
    const size_t size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const char* begin = m_bytes.data() + m_pos;
    const char* end = m_bytes.data() + size;
    const size_t limit = std::min(size - m_pos, kMaxPiece);
    const void* lf = std::memchr(begin, '\n', limit);
    const size_t take = lf ? static_cast<const char*>(lf) - begin + 1 : limit;
    // Text mode turns CR LF into one LF; a CR in the piece's last place still
    // pairs with an LF just beyond it.
    for (const char* cr = static_cast<const char*>(std::memchr(begin, '\r', take)); cr;
         cr = static_cast<const char*>(std::memchr(cr + 1, '\r', begin + take - cr - 1))) {
        if (cr + 1 < end && cr[1] == '\n') {
            piece.assign(begin, cr);
            piece.push_back('\n');
            m_pos = static_cast<size_t>(cr + 2 - m_bytes.data());
            return true;
        }
        if (cr + 1 == begin + take)
            break;
    }
    piece.assign(begin, take);
    m_pos += take;
    return true;
}

}  // namespace vm
