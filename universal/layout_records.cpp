#include "universal/layout_records.h"

namespace vm {
namespace {

constexpr std::string_view kEndMarker = "@$$";

}  // namespace

bool LayoutRecordReader::Next(std::string_view& record) {
    if (m_pos < m_marked.size())
        return NextFromMarkedPiece(record);
    std::string_view raw;
    if (!m_pieces.Next(raw))
        return false;
    record = WithoutLineEnd(raw);
    if (!HoldsMarkOrLineEnd(record))
        return true;
    m_marked.clear();
    for (const char c : raw) {
        if (c != '\r' && c != '\n')
            m_marked.push_back(c);
    }
    m_marked += kEndMarker;
    m_pos = 0;
    return NextFromMarkedPiece(record);
}

// Walks the marked piece byte by byte up to the next end marker. The piece
// always ends in one, and no marker can straddle it, so records never span pieces.
bool LayoutRecordReader::NextFromMarkedPiece(std::string_view& record) {
    m_record.clear();
    const std::string_view text = m_marked;
    while (m_pos < text.size()) {
        if (text.compare(m_pos, kEndMarker.size(), kEndMarker) == 0) {
            m_pos += kEndMarker.size();
            record = m_record;
            return true;
        }
        const char c = text[m_pos++];
        if (c != '@' && c != '$')
            m_record.push_back(c);
    }
    record = m_record;  // not reached: every marked piece ends in the marker
    return true;
}

}  // namespace vm
