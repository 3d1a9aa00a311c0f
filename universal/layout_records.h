#pragma once
// Cuts a source file of the universal conversion into records. The file is read
// in the 99-byte pieces of the line reader; every piece, even an empty one, is
// one record once its CR and LF bytes are gone. The bytes '@' and '$' never
// reach a record, and the three bytes "@$$" inside a piece end a record there
// (they are the end marker the pieces are joined with, so a piece holding them
// splits in two).

#include <string>
#include <string_view>

#include "common/piece_walker.h"

namespace vm {

class LayoutRecordReader {
public:
    // The reader works on the bytes in place: they must outlive it.
    explicit LayoutRecordReader(std::string_view bytes) : m_pieces(bytes) {}

    // The next record; it stays valid until the next call. False at the end.
    bool Next(std::string_view& record);

    // The line (from 1) of the source the last record stands on.
    long long Line() const { return m_pieces.Line(); }

private:
    bool NextFromMarkedPiece(std::string_view& record);

    PieceWalker m_pieces;
    std::string m_marked;  // the piece without CR and LF, followed by "@$$"
    size_t m_pos = 0;      // scan position in m_marked
    std::string m_record;
};

}  // namespace vm
