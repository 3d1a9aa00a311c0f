#include "app/main_window/pane_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cerrno>
#include <iconv.h>

namespace vm {
namespace {

const char* kGbkCharset = "GB18030";

bool IsUtf8Continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at p, or 0 when it is not one.
size_t Utf8SequenceLength(const unsigned char* p, size_t n) {
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

// Characters the widget would not keep as themselves: the escape range, the
// paragraph separator (a line break to the widget) and its frame markers.
bool PaneCannotHold(char32_t cp) {
    return (cp >= kByteEscapeBase && cp <= kByteEscapeBase + 0xFF) || cp == 0x2029 ||
           cp == 0xFDD0 || cp == 0xFDD1;
}

void AppendEscapedByte(std::string& utf8, unsigned char byte) {
    const char32_t cp = kByteEscapeBase + byte;  // three UTF-8 bytes
    utf8 += char(0xE0 | (cp >> 12));
    utf8 += char(0x80 | ((cp >> 6) & 0x3F));
    utf8 += char(0x80 | (cp & 0x3F));
}

void AppendEscapedBytes(std::string& utf8, const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        AppendEscapedByte(utf8, static_cast<unsigned char>(p[i]));
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the valid start of [in, in+n) and appends it to out; returns
    // the bytes consumed (fewer than n when an invalid sequence follows).
    size_t Convert(const char* in, size_t n, std::string& out) {
        if (!ok())
            return 0;
        char* src = const_cast<char*>(in);
        size_t left = n;
        char buffer[1 << 16];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            const size_t r = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buffer, size_t(dst - buffer));
            if (r == size_t(-1) && errno != E2BIG)
                break;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return n - left;
    }

private:
    iconv_t m_cd;
};

// Appends UTF-8 text (decoded from the pane's bytes) for the widget: CR LF
// and LF become '\n'; NUL, a lone CR and characters the widget cannot hold
// become escapes of their source bytes (the characters' own bytes in UTF-8
// mode, their GB18030 bytes, which decoded to them, in GBK mode).
class WidgetTextBuilder {
public:
    WidgetTextBuilder(PaneEncoding encoding, std::string& out) : m_encoding(encoding), m_out(out) {}

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
        if (u[0] < 0x80) {  // NUL or a lone CR
            AppendEscapedByte(m_out, u[0]);
            return 1;
        }
        const size_t len = Utf8SequenceLength(u, n);
        if (len == 0) {
            AppendEscapedByte(m_out, u[0]);
            return 1;
        }
        if (!PaneCannotHold(Utf8CodePoint(u, len))) {
            m_out.append(p, len);
        } else if (m_encoding == PaneEncoding::Utf8) {
            AppendEscapedBytes(m_out, p, len);
        } else {
            std::string source;
            m_toGbk.Convert(p, len, source);
            AppendEscapedBytes(m_out, source.data(), source.size());
        }
        return len;
    }

    PaneEncoding m_encoding;
    std::string& m_out;
    Iconv m_toGbk{kGbkCharset, "UTF-8"};
};

// QString::fromUtf8 drops a leading byte-order mark; the pane keeps it.
QString QStringFromUtf8KeepingBom(const std::string& utf8) {
    const bool bom = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const size_t skip = bom ? 3 : 0;
    QString text = QString::fromUtf8(utf8.data() + skip, qsizetype(utf8.size() - skip));
    if (bom)
        text.prepend(QChar(0xFEFF));
    return text;
}

// Appends encoded to out with every LF written as CR LF. (No GB18030 or UTF-8
// multi-byte sequence contains the byte LF.)
void AppendWithCrLf(std::string& out, const std::string& encoded) {
    size_t start = 0;
    for (size_t lf = encoded.find('\n'); lf != std::string::npos; lf = encoded.find('\n', start)) {
        out.append(encoded, start, lf - start);
        out += "\r\n";
        start = lf + 1;
    }
    out.append(encoded, start, std::string::npos);
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
        const size_t len = Utf8SequenceLength(u + i, n - i);
        if (len == 0)
            return growing && IsCutCharacter(u + i, n - i) && nonAscii ? PaneEncoding::Utf8
                                                                       : PaneEncoding::Gbk;
        nonAscii = true;
        i += len;
    }
    return nonAscii ? PaneEncoding::Utf8 : PaneEncoding::Gbk;
}

}  // namespace

PaneEncoding DetectPaneEncoding(const std::string& bytes) {
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

QString DecodePaneBytes(const std::string& bytes, PaneEncoding encoding) {
    return DecodePaneBytes(std::string_view(bytes), encoding);
}

QString DecodePaneBytes(std::string_view bytes, PaneEncoding encoding) {
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    WidgetTextBuilder builder(encoding, utf8);
    if (encoding == PaneEncoding::Utf8) {
        builder.Append(bytes.data(), bytes.size());
        return QStringFromUtf8KeepingBom(utf8);
    }
    Iconv fromGbk("UTF-8", kGbkCharset);
    std::string piece;
    for (size_t i = 0; i < bytes.size();) {
        piece.clear();
        i += fromGbk.Convert(bytes.data() + i, bytes.size() - i, piece);
        builder.Append(piece.data(), piece.size());
        if (i < bytes.size()) {  // not a character: keep the byte
            AppendEscapedByte(utf8, static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
    return QStringFromUtf8KeepingBom(utf8);
}

std::string EncodePaneText(const QString& text, PaneEncoding encoding) {
    std::string out;
    out.reserve(size_t(text.size()) * 2);
    Iconv toGbk(kGbkCharset, "UTF-8");
    std::string encoded;
    auto flushRun = [&](qsizetype from, qsizetype to) {
        if (to <= from)
            return;
        QString run = text.mid(from, to - from);
        run.replace(QChar(0x2029), QLatin1Char('\n'));  // the widget's line breaks
        const QByteArray utf8 = run.toUtf8();
        if (encoding == PaneEncoding::Utf8 || !toGbk.ok()) {
            AppendWithCrLf(out, utf8.toStdString());
            return;
        }
        encoded.clear();
        const auto* u = reinterpret_cast<const unsigned char*>(utf8.constData());
        const size_t n = size_t(utf8.size());
        for (size_t i = 0; i < n;) {
            i += toGbk.Convert(utf8.constData() + i, n - i, encoded);
            if (i < n) {  // nothing in GB18030 for it
                encoded += '?';
                i += std::max<size_t>(1, Utf8SequenceLength(u + i, n - i));
            }
        }
        AppendWithCrLf(out, encoded);
    };
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < kByteEscapeBase || c > kByteEscapeBase + 0xFF)
            continue;
        flushRun(runStart, i);
        out += char(c - kByteEscapeBase);
        runStart = i + 1;
    }
    flushRun(runStart, text.size());
    return out;
}

}  // namespace vm
