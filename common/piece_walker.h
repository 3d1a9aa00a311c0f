#pragma once
// The instrument files' pieces as ranges of the bytes, without copying: the
// same pieces as LineReader gives (at most 99 bytes up to and including the
// line end; a longer line arrives as several pieces). LF, CR LF and a lone CR
// each end a line; a CR in the 99th place pairs with an LF just beyond it.
//
// Each piece comes as its raw stretch of the source. Every reader drops all CR
// and LF bytes of a piece, so the raw stretch and LineReader's text (with each
// line end made into LF) leave the same bytes.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vm {

// The bytes without a UTF-8 byte-order mark at their start: editors put one
// before the first point name, where it is no part of the data.
inline std::string_view WithoutByteOrderMark(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.remove_prefix(3);
    return bytes;
}

// The length of the piece that starts at begin: up to and including its first
// line end within limit bytes (CR LF counted whole when both are there, of the
// left bytes), else limit.
inline size_t LineEndLength(const char* begin, size_t limit, size_t left) {
    const void* lf = std::memchr(begin, '\n', limit);
    const size_t upTo = lf ? static_cast<size_t>(static_cast<const char*>(lf) - begin) : limit;
    const void* cr = std::memchr(begin, '\r', upTo);
    if (!cr)
        return lf ? upTo + 1 : limit;
    const size_t at = static_cast<size_t>(static_cast<const char*>(cr) - begin);
    return at + 1 < left && begin[at + 1] == '\n' ? at + 2 : at + 1;
}

class PieceWalker {
public:
    static constexpr size_t kMaxPiece = 99;

    // A byte-order mark at the start of the bytes is skipped.
    explicit PieceWalker(std::string_view bytes) : PieceWalker(WithoutByteOrderMark(bytes), 0) {}

    // The next piece's raw stretch; false at the end of the bytes.
    bool Next(std::string_view& raw) {
        if (m_pos >= m_end)
            return false;
        const char* begin = m_pos;
        const size_t left = static_cast<size_t>(m_end - begin);
        const size_t limit = left < kMaxPiece ? left : kMaxPiece;
        const char* next = begin + LineEndLength(begin, limit, left);
        raw = std::string_view(begin, static_cast<size_t>(next - begin));
        m_pos = next;
        m_line += m_lineEnded ? 1 : 0;
        m_lineEnded = next[-1] == '\n' || next[-1] == '\r';
        return true;
    }

    // The line (from 1) the last piece stands on.
    long long Line() const { return m_line; }

private:
    PieceWalker(std::string_view bytes, int)
        : m_pos(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    const char* m_pos;
    const char* m_end;
    long long m_line = 0;
    bool m_lineEnded = true;
};

// The piece without its line end (LF, CR LF or a lone CR at its end).
inline std::string_view WithoutLineEnd(std::string_view raw) {
    if (!raw.empty() && raw.back() == '\n')
        raw.remove_suffix(1);
    if (!raw.empty() && raw.back() == '\r')
        raw.remove_suffix(1);
    return raw;
}

// Whether some byte of the word is zero (exact for that question).
inline uint64_t ZeroByte(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighs = 0x8080808080808080ULL;
    return (word - kOnes) & ~word & kHighs;
}

// Whether a piece's text holds an end mark's "@" or "$", a CR or an LF: eight
// bytes at a time, since nearly every piece holds none.
inline bool HoldsMarkOrLineEnd(std::string_view text) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    size_t i = 0;
    uint64_t found = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, text.data() + i, sizeof w);
        found |= ZeroByte(w ^ (kOnes * '@')) | ZeroByte(w ^ (kOnes * '$')) |
                 ZeroByte(w ^ (kOnes * '\r')) | ZeroByte(w ^ (kOnes * '\n'));
    }
    for (; i < text.size(); ++i) {
        const char c = text[i];
        found |= static_cast<uint64_t>(c == '@' || c == '$' || c == '\r' || c == '\n');
    }
    return found != 0;
}

// What CleanPiece makes of a piece (every CR and LF dropped, then the spaces at
// both ends), as a range of the source. A piece ends at its first CR or LF, so
// dropping its line end drops them all; scratch is no longer needed.
inline std::string_view CleanedPiece(std::string_view raw, std::string& /*scratch*/) {
    std::string_view text = WithoutLineEnd(raw);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace vm
