#include "common/pane_codec.h"

#include "common/code_page.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vm {
namespace {

bool IsUtf8Continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at p, or 0 when it is not one.
size_t ValidUtf8Length(const unsigned char* p, size_t n) {
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    size_t len = 0;
    unsigned min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, min = 0x10000;
    } else {
        return 0;
    }
    if (n < len)
        return 0;
    unsigned cp = b & (0x7F >> len);
    for (size_t i = 1; i < len; ++i) {
        if (!IsUtf8Continuation(p[i]))
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

char32_t Utf8CodePoint(const unsigned char* p, size_t len) {
    if (len == 1)
        return p[0];
    char32_t cp = p[0] & (0x7F >> len);
    for (size_t i = 1; i < len; ++i)
        cp = (cp << 6) | (p[i] & 0x3F);
    return cp;
}

bool IsByteEscape(char32_t cp) {
    return cp >= kByteEscapeBase && cp <= kByteEscapeBase + 0xFF;
}

// Characters the control would not keep as themselves: the escape range, the
// paragraph separator (a line break to the Linux control) and its frame markers.
bool PaneCannotHold(char32_t cp) {
    return IsByteEscape(cp) || cp == 0x2029 || cp == 0xFDD0 || cp == 0xFDD1;
}

void AppendEscapedByte(std::string& utf8, unsigned char byte) {
    const char32_t cp = kByteEscapeBase + byte;  // three UTF-8 bytes
    utf8 += char(0xE0 | (cp >> 12));
    utf8 += char(0x80 | ((cp >> 6) & 0x3F));
    utf8 += char(0x80 | (cp & 0x3F));
}

void AppendEscapedBytes(std::string& utf8, std::string_view bytes) {
    for (char c : bytes)
        AppendEscapedByte(utf8, static_cast<unsigned char>(c));
}

// Appends UTF-8 text (decoded from the pane's bytes) for the control: CR LF
// and LF become '\n'; NUL, a lone CR and characters the control cannot hold
// become escapes of their source bytes (the characters' own bytes in UTF-8
// mode, their GB18030 bytes, which decoded to them, in GBK mode).
class ControlTextBuilder {
public:
    ControlTextBuilder(PaneEncoding encoding, std::string& out)
        : m_encoding(encoding), m_out(out) {}

    void Append(const char* p, size_t n) {
        const auto* u = reinterpret_cast<const unsigned char*>(p);
        size_t i = 0;
        while (i < n) {
            const size_t plain = PlainAsciiRun(u + i, n - i);
            m_out.append(p + i, plain);
            i += plain;
            if (i < n)
                i += AppendSpecial(p + i, n - i);
        }
    }

private:
    static size_t PlainAsciiRun(const unsigned char* u, size_t n) {
        size_t k = 0;
        while (k < n && u[k] < 0x80 && u[k] != '\r' && u[k] != '\n' && u[k] != 0)
            ++k;
        return k;
    }

    // One special byte or non-ASCII character at p; returns the bytes used.
    size_t AppendSpecial(const char* p, size_t n) {
        const auto* u = reinterpret_cast<const unsigned char*>(p);
        if (u[0] == '\r' && n > 1 && u[1] == '\n') {
            m_out += '\n';
            return 2;
        }
        if (u[0] == '\n') {
            m_out += '\n';
            return 1;
        }
        const size_t len = u[0] < 0x80 ? 0 : ValidUtf8Length(u, n);  // NUL or a lone CR: 0
        if (len == 0) {
            AppendEscapedByte(m_out, u[0]);
            return 1;
        }
        if (!PaneCannotHold(Utf8CodePoint(u, len))) {
            m_out.append(p, len);
        } else if (m_encoding == PaneEncoding::Utf8) {
            AppendEscapedBytes(m_out, std::string_view(p, len));
        } else {
            std::string source;
            Utf8PrefixToGb18030(std::string_view(p, len), source);
            AppendEscapedBytes(m_out, source);
        }
        return len;
    }

    PaneEncoding m_encoding;
    std::string& m_out;
};

// Appends encoded to out with every LF written as CR LF. (No GB18030 or UTF-8
// multi-byte sequence contains the byte LF.)
void AppendWithCrLf(std::string& out, std::string_view encoded) {
    size_t start = 0;
    for (size_t lf = encoded.find('\n'); lf != std::string_view::npos;
         lf = encoded.find('\n', start)) {
        out.append(encoded, start, lf - start);
        out += "\r\n";
        start = lf + 1;
    }
    out.append(encoded.substr(start));
}

// Appends a run of control text without escapes in the pane's encoding.
void AppendEncodedRun(std::string& out, std::string_view utf8, PaneEncoding encoding,
                      std::string& scratch) {
    if (encoding == PaneEncoding::Utf8 || !CodePageConvertersAvailable()) {
        AppendWithCrLf(out, utf8);
        return;
    }
    scratch.clear();
    const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0; i < utf8.size();) {
        i += Utf8PrefixToGb18030(utf8.substr(i), scratch);
        if (i < utf8.size()) {  // nothing in GB18030 for it
            scratch += '?';
            i += std::max<size_t>(1, ValidUtf8Length(u + i, utf8.size() - i));
        }
    }
    AppendWithCrLf(out, scratch);
}

// The first bytes of a valid character whose other bytes are still to come.
bool IsCutCharacter(const unsigned char* p, size_t n) {
    const unsigned char b = p[0];
    const size_t len = b >= 0xC2 && b <= 0xDF   ? 2
                       : b >= 0xE0 && b <= 0xEF ? 3
                       : b >= 0xF0 && b <= 0xF4 ? 4
                                                : 0;
    if (n >= len)
        return false;
    for (size_t i = 1; i < n; ++i) {
        if (!IsUtf8Continuation(p[i]))
            return false;
    }
    return true;
}

PaneEncoding DetectEncoding(std::string_view bytes, bool growing) {
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    bool nonAscii = false;
    for (size_t i = 0; i < n;) {
        // Runs of ASCII, eight bytes at a time.
        uint64_t word;
        if (i + 8 <= n && (std::memcpy(&word, u + i, 8), (word & 0x8080808080808080ULL) == 0)) {
            i += 8;
            continue;
        }
        if (u[i] < 0x80) {
            ++i;
            continue;
        }
        const size_t len = ValidUtf8Length(u + i, n - i);
        if (len == 0)
            return growing && IsCutCharacter(u + i, n - i) && nonAscii ? PaneEncoding::Utf8
                                                                       : PaneEncoding::Gbk;
        nonAscii = true;
        i += len;
    }
    return nonAscii ? PaneEncoding::Utf8 : PaneEncoding::Gbk;
}

}  // namespace

PaneEncoding DetectPaneEncoding(std::string_view bytes) {
    return DetectEncoding(bytes, false);
}

PaneEncoding DetectGrowingPaneEncoding(std::string_view bytes) {
    return DetectEncoding(bytes, true);
}

size_t LastPaneCut(std::string_view bytes) {
    for (size_t i = bytes.size(); i > 0; --i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i - 1]);
        if (b < 0x30 && b != '\r')
            return i;
    }
    return 0;
}

std::string DecodePaneBytesToUtf8(std::string_view bytes, PaneEncoding encoding) {
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    ControlTextBuilder builder(encoding, utf8);
    if (encoding == PaneEncoding::Utf8) {
        builder.Append(bytes.data(), bytes.size());
        return utf8;
    }
    std::string piece;
    for (size_t i = 0; i < bytes.size();) {
        piece.clear();
        i += Gb18030PrefixToUtf8(bytes.substr(i), piece);
        builder.Append(piece.data(), piece.size());
        if (i < bytes.size()) {  // not a character: keep the byte
            AppendEscapedByte(utf8, static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
    return utf8;
}

std::string EncodePaneUtf8(std::string_view utf8, PaneEncoding encoding) {
    std::string out;
    out.reserve(utf8.size());
    std::string scratch;
    const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t runStart = 0;
    for (size_t i = 0; i < utf8.size();) {
        const size_t len = std::max<size_t>(1, ValidUtf8Length(u + i, utf8.size() - i));
        if (len == 3 && IsByteEscape(Utf8CodePoint(u + i, len))) {
            AppendEncodedRun(out, utf8.substr(runStart, i - runStart), encoding, scratch);
            out += char(Utf8CodePoint(u + i, len) - kByteEscapeBase);
            runStart = i + len;
        }
        i += len;
    }
    AppendEncodedRun(out, utf8.substr(runStart), encoding, scratch);
    return out;
}

}  // namespace vm
