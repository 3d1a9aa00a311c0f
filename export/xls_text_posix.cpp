#include "export/xls_text.h"

#include <cerrno>
#include <iconv.h>

namespace vm {
namespace {

iconv_t Handle(void* cd) {
    return static_cast<iconv_t>(cd);
}

}  // namespace

CellDecoder::CellDecoder(CellEncoding encoding) : m_encoding(encoding) {
    const char* from = encoding == CellEncoding::Utf8 ? "UTF-8" : "GB18030";
    iconv_t cd = ::iconv_open("UTF-16LE", from);
    m_cd = cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd;
}

CellDecoder::~CellDecoder() {
    if (m_cd)
        ::iconv_close(Handle(m_cd));
}

void CellDecoder::DecodeNonAscii(const std::string& bytes, std::u16string& out) {
    ::iconv(Handle(m_cd), nullptr, nullptr, nullptr, nullptr);
    std::string input = bytes;
    char* in = input.data();
    size_t inLeft = input.size();
    std::string buffer(input.size() * 4 + 8, '\0');
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t rc = ::iconv(Handle(m_cd), &in, &inLeft, &outPtr, &outLeft);
        const size_t produced = buffer.size() - outLeft;
        for (size_t i = 0; i + 1 < produced; i += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(buffer[i]) |
                                                (static_cast<unsigned char>(buffer[i + 1]) << 8)));
        }
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // An invalid or cut-off sequence: one byte becomes one replacement character.
        const bool euro =
            m_encoding == CellEncoding::Gbk && static_cast<unsigned char>(*in) == 0x80;
        out.push_back(euro ? kEuro : kReplacement);
        ++in;
        --inLeft;
        ::iconv(Handle(m_cd), nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace vm
