#include "export/biff_stream.h"

#include <cstring>

#include "common/streamed_file.h"

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

void BiffStream::Record(uint16_t id, const char* data, size_t size) {
    const char head[4] = {static_cast<char>(id & 0xFF), static_cast<char>(id >> 8),
                          static_cast<char>(size & 0xFF), static_cast<char>(size >> 8)};
    m_position += sizeof head + size;
    if (m_keep) {
        m_bytes.append(head, sizeof head);
        m_bytes.append(data, size);
    } else if (m_file) {
        char* out = m_file->Room(sizeof head + size);
        std::memcpy(out, head, sizeof head);
        std::memcpy(out + sizeof head, data, size);
        m_file->Added(sizeof head + size);
    }
}

}  // namespace vm
