#include "common/line_reader.h"

#include <algorithm>

#include "common/piece_walker.h"

namespace vm {

LineReader::LineReader(const std::string& bytes)
    : m_bytes(bytes), m_pos(bytes.size() - WithoutByteOrderMark(bytes).size()) {}

bool LineReader::Next(std::string& piece) {
    piece.clear();
    const size_t size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const char* begin = m_bytes.data() + m_pos;
    const size_t left = size - m_pos;
    const size_t take = LineEndLength(begin, std::min(left, kMaxPiece), left);
    m_pos += take;
    // Text mode makes each line end one LF.
    const std::string_view text = WithoutLineEnd(std::string_view(begin, take));
    piece.assign(text.data(), text.size());
    if (text.size() < take)
        piece.push_back('\n');
    return true;
}

}  // namespace vm
