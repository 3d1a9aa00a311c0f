#include "export/biff_stream.h"

namespace vm {

void PutU8(std::string& out, uint8_t value) {
    out.push_back(static_cast<char>(value));
}

void PutU16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& out, uint32_t value) {
    PutU16(out, static_cast<uint16_t>(value & 0xFFFF));
    PutU16(out, static_cast<uint16_t>(value >> 16));
}

void PatchU32(std::string& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void BiffStream::Record(uint16_t id, const std::string& data) {
    PutU16(m_bytes, id);
    PutU16(m_bytes, static_cast<uint16_t>(data.size()));
    m_bytes += data;
}

}  // namespace vm
