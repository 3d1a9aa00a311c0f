#include "export/xls_text.h"

namespace vm {

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
