// The code-page conversions through the C library's iconv.
#include "common/code_page.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace vm {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter per direction and thread, opened on first use: exports convert
// line by line, and opening a converter costs far more than one line.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != kNoConverter)
            ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Available() const { return m_cd != kNoConverter; }

    // Converts in; at every sequence it cannot convert, calls onBad(rest),
    // which appends its replacement and returns how many bytes to skip.
    template <typename OnBad>
    void Run(std::string_view in, std::string& out, OnBad onBad) {
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = ::iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc != static_cast<size_t>(-1) || errno == E2BIG)
                continue;
            const size_t skip = onBad(std::string_view(src, srcLeft), out);
            src += skip;
            srcLeft -= skip;
            ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t m_cd;
};

Converter& FromGbk() {
    thread_local Converter converter("UTF-8", "GB18030");
    return converter;
}

Converter& ToGbk() {
    thread_local Converter converter("GBK", "UTF-8");
    return converter;
}

size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

}  // namespace

bool IsAscii(std::string_view bytes) {
    for (unsigned char c : bytes) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

bool IsValidUtf8(std::string_view bytes) {
    const size_t size = bytes.size();
    for (size_t i = 0; i < size;) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const size_t length = Utf8Length(lead);
        if (length == 0 || i + length > size)
            return false;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (c & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    if (IsAscii(gbk) || !FromGbk().Available()) {
        for (unsigned char c : gbk)
            out += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string("\xEF\xBF\xBD");
        return out;
    }
    FromGbk().Run(gbk, out, [](std::string_view rest, std::string& o) {
        o += static_cast<unsigned char>(rest[0]) == 0x80 ? "\xE2\x82\xAC" : "\xEF\xBF\xBD";
        return size_t{1};
    });
    return out;
}

std::string Utf8ToGbk(std::string_view utf8, size_t* replaced) {
    std::string out;
    out.reserve(utf8.size());
    size_t count = 0;
    if (IsAscii(utf8) || !ToGbk().Available()) {
        for (size_t i = 0; i < utf8.size();) {
            const size_t length = Utf8Length(static_cast<unsigned char>(utf8[i]));
            out += length == 1 ? utf8[i] : '?';
            count += length == 1 ? 0 : 1;
            i += length == 0 ? 1 : length;
        }
    } else {
        ToGbk().Run(utf8, out, [&count](std::string_view rest, std::string& o) {
            o += '?';
            ++count;
            const size_t length = Utf8Length(static_cast<unsigned char>(rest[0]));
            return length == 0 || length > rest.size() ? size_t{1} : length;
        });
    }
    if (replaced)
        *replaced += count;
    return out;
}

bool CodePageConvertersAvailable() {
    return FromGbk().Available() && ToGbk().Available();
}

}  // namespace vm
