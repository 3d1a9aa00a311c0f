// The checks on byte texts that every platform shares; the conversions
// themselves come from the platform (code_page_posix.cpp, code_page_win32.cpp).
#include "common/code_page.h"

#include <cstdint>

namespace vm {

size_t Utf8SequenceLength(unsigned char lead) {
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
        const size_t length = Utf8SequenceLength(lead);
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
}  // namespace vm
