#pragma once
// The instrument files are read as a text-mode stream into a 100-byte buffer:
// each read yields at most 99 bytes, up to and including the line end, and a
// longer line arrives as several pieces, each handled as a line of its own.
// LF, CR LF and a lone CR each end a line and arrive as a single LF. A UTF-8
// byte-order mark at the start of the bytes is skipped.

#include <cstddef>
#include <string>

namespace vm {

class LineReader {
public:
    static constexpr size_t kMaxPiece = 99;

    // The reader keeps a reference: bytes must outlive it.
    explicit LineReader(const std::string& bytes);

    // Next piece into piece; false at the end of the bytes.
    bool Next(std::string& piece);

private:
    const std::string& m_bytes;
    size_t m_pos = 0;
};

}  // namespace vm
