#include "app/pane_codec.h"

#include <algorithm>
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
    if (b >= 0xC2 && b <= 0xDF)
        len = 2, min = 0x80;
    else if (b >= 0xE0 && b <= 0xEF)
        len = 3, min = 0x800;
    else if (b >= 0xF0 && b <= 0xF4)
        len = 4, min = 0x10000;
    else
        return 0;
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

// Characters the widget would not keep as themselves.
bool PaneCannotHold(char32_t cp) {
    return (cp >= kByteEscapeBase && cp <= kByteEscapeBase + 0xFF) || cp == 0x2029 ||
           cp == 0xFDD0 || cp == 0xFDD1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void AppendEscapedBytes(std::string& utf8, const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        AppendUtf8(utf8, kByteEscapeBase + (unsigned char)p[i]);
}

// The code point of a valid UTF-8 sequence.
char32_t Utf8CodePoint(const unsigned char* p, size_t len) {
    if (len == 1)
        return p[0];
    char32_t cp = p[0] & (0x7F >> len);
    for (size_t i = 1; i < len; ++i)
        cp = (cp << 6) | (p[i] & 0x3F);
    return cp;
}

// Appends valid UTF-8 to out, escaping characters the pane cannot hold.
void AppendHoldableUtf8(std::string& out, const char* p, size_t n) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    size_t i = 0;
    while (i < n) {
        const size_t len = Utf8SequenceLength(u + i, n - i);
        if (len == 0 || PaneCannotHold(Utf8CodePoint(u + i, len))) {
            AppendEscapedBytes(out, p + i, len == 0 ? 1 : len);
        } else {
            out.append(p + i, len);
        }
        i += len == 0 ? 1 : len;
    }
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

    // Converts as much of [in, in+n) as is valid and appends it to out.
    // Returns the number of bytes consumed; stops before an invalid sequence.
    size_t Convert(const char* in, size_t n, std::string& out) {
        char* src = const_cast<char*>(in);
        size_t left = n;
        char buffer[16384];
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

// GBK run (no CR, LF or NUL) to UTF-8, with escapes.
void DecodeGbkRun(Iconv& cv, const char* p, size_t n, std::string& utf8) {
    size_t i = 0;
    std::string piece;
    while (i < n) {
        piece.clear();
        const size_t used = cv.ok() ? cv.Convert(p + i, n - i, piece) : 0;
        AppendHoldableUtf8(utf8, piece.data(), piece.size());
        i += used;
        if (i < n) {  // an invalid or incomplete character: keep its first byte
            AppendEscapedBytes(utf8, p + i, 1);
            ++i;
        }
    }
}

}  // namespace

PaneEncoding DetectPaneEncoding(const std::string& bytes) {
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
    bool nonAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        const size_t len = Utf8SequenceLength(u + i, bytes.size() - i);
        if (len == 0)
            return PaneEncoding::Gbk;
        nonAscii = nonAscii || len > 1;
        i += len;
    }
    return nonAscii ? PaneEncoding::Utf8 : PaneEncoding::Gbk;
}

QString DecodePaneBytes(const std::string& bytes, PaneEncoding encoding) {
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 4);
    Iconv cv("UTF-8", kGbkCharset);
    const size_t n = bytes.size();
    size_t runStart = 0;
    auto flushRun = [&](size_t end) {
        if (end > runStart) {
            if (encoding == PaneEncoding::Utf8) {
                AppendHoldableUtf8(utf8, bytes.data() + runStart, end - runStart);
            } else {
                DecodeGbkRun(cv, bytes.data() + runStart, end - runStart, utf8);
            }
        }
    };
    for (size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n' && c != '\0')
            continue;
        flushRun(i);
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
            utf8 += '\n';
            ++i;
        } else if (c == '\n') {
            utf8 += '\n';
        } else {
            AppendEscapedBytes(utf8, &c, 1);
        }
        runStart = i + 1;
    }
    flushRun(n);
    // QString::fromUtf8 drops a leading byte-order mark; the pane keeps it.
    const bool bom = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const size_t skip = bom ? 3 : 0;
    QString text = QString::fromUtf8(utf8.data() + skip, qsizetype(utf8.size() - skip));
    if (bom)
        text.prepend(QChar(0xFEFF));
    return text;
}

std::string EncodePaneText(const QString& text, PaneEncoding encoding) {
    std::string out;
    out.reserve(size_t(text.size()) * 2);
    Iconv cv(kGbkCharset, "UTF-8");
    std::string utf8;
    auto flushRun = [&](qsizetype from, qsizetype to) {
        if (to <= from)
            return;
        const QByteArray run = QStringView(text).mid(from, to - from).toUtf8();
        if (encoding == PaneEncoding::Utf8 || !cv.ok()) {
            out.append(run.constData(), size_t(run.size()));
            return;
        }
        size_t i = 0;
        while (i < size_t(run.size())) {
            i += cv.Convert(run.constData() + i, size_t(run.size()) - i, out);
            if (i < size_t(run.size())) {  // nothing in GB18030 for it
                out += '?';
                i += std::max<size_t>(
                    1,
                    Utf8SequenceLength(reinterpret_cast<const unsigned char*>(run.constData()) + i,
                                       size_t(run.size()) - i));
            }
        }
    };
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool escape = c >= kByteEscapeBase && c <= kByteEscapeBase + 0xFF;
        const bool lineBreak = c == u'\n' || c == 0x2029;
        if (!escape && !lineBreak)
            continue;
        flushRun(runStart, i);
        if (escape)
            out += char(c - kByteEscapeBase);
        else
            out += "\r\n";
        runStart = i + 1;
    }
    flushRun(runStart, text.size());
    return out;
}

}  // namespace vm
