#include "export/xls_text.h"

#include <cstdint>
#include <windows.h>

namespace vm {
namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

// Length of the sequence of the encoding that starts at text[i], 0 when no
// valid sequence can start there.
size_t SequenceLength(const std::string& text, size_t i, UINT codePage) {
    const auto at = [&](size_t k) {
        return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
    };
    const unsigned lead = at(0);
    if (lead < 0x80)
        return 1;
    if (codePage == CP_UTF8)
        return Utf8SequenceLength(static_cast<unsigned char>(lead));
    if (lead == 0x80 || lead == 0xFF)
        return 0;
    const unsigned second = at(1);
    if (second >= 0x30 && second <= 0x39) {
        const bool four = at(2) >= 0x81 && at(2) <= 0xFE && at(3) >= 0x30 && at(3) <= 0x39;
        return four ? 4 : 0;
    }
    return (second >= 0x40 && second <= 0xFE && second != 0x7F) ? 2 : 0;
}

UINT CodePage(void* cd) {
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(cd));
}

// Appends the UTF-16 of bytes [begin, begin + size); false when the system
// refuses them as invalid.
bool AppendDecoded(UINT codePage, const char* begin, size_t size, std::u16string& out) {
    const int n = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, begin,
                                        static_cast<int>(size), nullptr, 0);
    if (n <= 0)
        return false;
    const size_t old = out.size();
    out.resize(old + static_cast<size_t>(n));
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, begin, static_cast<int>(size),
                          reinterpret_cast<wchar_t*>(&out[old]), n);
    return true;
}

}  // namespace

CellDecoder::CellDecoder(CellEncoding encoding) : m_encoding(encoding) {
    UINT codePage = CP_UTF8;
    if (encoding == CellEncoding::Gbk)
        codePage = ::IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    m_cd = reinterpret_cast<void*>(static_cast<std::uintptr_t>(codePage));
}

CellDecoder::~CellDecoder() = default;

void CellDecoder::DecodeNonAscii(const std::string& bytes, std::u16string& out) {
    const UINT codePage = CodePage(m_cd);
    if (AppendDecoded(codePage, bytes.data(), bytes.size(), out))
        return;
    // Something in it is invalid: sequence by sequence, one replacement per bad byte.
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = SequenceLength(bytes, i, codePage);
        if (length > 0 && i + length <= bytes.size() &&
            AppendDecoded(codePage, bytes.data() + i, length, out)) {
            i += length;
            continue;
        }
        const bool euro =
            m_encoding == CellEncoding::Gbk && static_cast<unsigned char>(bytes[i]) == 0x80;
        out.push_back(euro ? kEuro : kReplacement);
        ++i;
    }
}

}  // namespace vm
