#include "export/xls_text.h"

#include <cstdint>

namespace vm {
namespace {

bool IsAscii(const std::string& bytes) {
    for (unsigned char c : bytes) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

// Length of the UTF-8 sequence that starts with lead, 0 when lead cannot start one.
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

bool IsValidUtf8(const std::string& bytes) {
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

bool CellDecoder::CanDecode(const std::string& bytes) const {
    return m_cd != nullptr || IsAscii(bytes);
}

std::u16string CellDecoder::Decode(const std::string& bytes) {
    std::u16string out;
    if (IsAscii(bytes) || !m_cd) {
        // Without a converter only ASCII can be trusted (CanDecode tells beforehand).
        out.reserve(bytes.size());
        for (unsigned char c : bytes)
            out.push_back(c < 0x80 ? c : kReplacement);
        return out;
    }
    DecodeNonAscii(bytes, out);
    return out;
}

}  // namespace vm
