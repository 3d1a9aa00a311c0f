#pragma once
// The instrument files' pieces as ranges of the bytes, without copying: the
// same pieces as LineReader gives (at most 99 bytes up to and including the
// line end; a longer line arrives as several pieces; a CR right before an LF,
// even one just past the 99 bytes, belongs to that line end).
//
// Each piece comes as its raw stretch of the source. Every reader drops all CR
// and LF bytes of a piece, so the raw stretch and LineReader's text (with CR LF
// made into LF) leave the same bytes.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vm {

class PieceWalker {
public:
    static constexpr size_t kMaxPiece = 99;

    explicit PieceWalker(std::string_view bytes)
        : m_pos(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    // The next piece's raw stretch; false at the end of the bytes.
    bool Next(std::string_view& raw) {
        if (m_pos >= m_end)
            return false;
        const char* begin = m_pos;
        const size_t left = static_cast<size_t>(m_end - begin);
        const size_t limit = left < kMaxPiece ? left : kMaxPiece;
        const void* lf = std::memchr(begin, '\n', limit);
        const char* next = lf ? static_cast<const char*>(lf) + 1 : begin + limit;
        // A CR in the last place pairs with an LF just beyond the 99 bytes. (A CR
        // right before the first LF is part of the piece's line end anyway.)
        if (!lf && next < m_end && next[-1] == '\r' && next[0] == '\n')
            ++next;
        raw = std::string_view(begin, static_cast<size_t>(next - begin));
        m_pos = next;
        return true;
    }

private:
    const char* m_pos;
    const char* m_end;
};

// The piece without its line end (LF or CR LF at its end). Whether CR or LF
// bytes remain inside is for the caller to check.
inline std::string_view WithoutLineEnd(std::string_view raw) {
    if (!raw.empty() && raw.back() == '\n') {
        raw.remove_suffix(1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
    }
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
// both ends), as a range of the source or, for a piece with a CR or LF inside,
// of scratch.
inline std::string_view CleanedPiece(std::string_view raw, std::string& scratch) {
    // A piece ends at its first LF, so only a CR can stand inside its text.
    std::string_view text = WithoutLineEnd(raw);
    if (!text.empty() && std::memchr(text.data(), '\r', text.size())) {
        scratch.clear();
        for (const char c : text) {
            if (c != '\r' && c != '\n')
                scratch.push_back(c);
        }
        text = scratch;
    }
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace vm
