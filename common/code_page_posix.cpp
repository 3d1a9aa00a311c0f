// The code-page conversions through the C library's iconv.
#include "common/code_page.h"
#include "common/code_page_replacement.h"

#include <cerrno>
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

Converter& ToGb18030() {
    thread_local Converter converter("GB18030", "UTF-8");
    return converter;
}

// Converts the start of in up to the first sequence the converter refuses.
size_t ConvertPrefix(Converter& converter, std::string_view in, std::string& out) {
    if (!converter.Available())
        return 0;
    size_t used = in.size();
    converter.Run(in, out, [&](std::string_view rest, std::string&) {
        used = in.size() - rest.size();
        return rest.size();
    });
    return used;
}

}  // namespace

size_t Gb18030PrefixToUtf8(std::string_view bytes, std::string& out) {
    return ConvertPrefix(FromGbk(), bytes, out);
}

size_t Utf8PrefixToGb18030(std::string_view utf8, std::string& out) {
    return ConvertPrefix(ToGb18030(), utf8, out);
}

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    if (IsAscii(gbk) || !FromGbk().Available()) {
        for (unsigned char c : gbk)
            out += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string("\xEF\xBF\xBD");
        return out;
    }
    FromGbk().Run(gbk, out, ReplaceGbkByte);
    return out;
}

std::string Utf8ToGbk(std::string_view utf8, size_t* replaced) {
    std::string out;
    out.reserve(utf8.size());
    size_t count = 0;
    if (IsAscii(utf8) || !ToGbk().Available()) {
        for (size_t i = 0; i < utf8.size();) {
            const size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
            out += length == 1 ? utf8[i] : '?';
            count += length == 1 ? 0 : 1;
            i += length == 0 ? 1 : length;
        }
    } else {
        ToGbk().Run(utf8, out, [&count](std::string_view rest, std::string& o) {
            ++count;
            return ReplaceUtf8Character(rest, o);
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
