#include "export/zip_archive.h"

#include <array>

namespace vm {
namespace {

constexpr uint16_t kVersion = 20;    // 2.0: what every reader takes
constexpr uint16_t kDosDate = 0x21;  // 1980-01-01, 00:00
constexpr uint64_t kLimit = 0xFFFFFFFFull;

std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The fields the local header and the central directory share, from "version needed" on.
void PutCommon(std::string& out, uint32_t crc, uint32_t size, size_t nameSize) {
    Put16(out, kVersion);
    Put16(out, 0);  // flags
    Put16(out, 0);  // stored
    Put16(out, 0);  // time
    Put16(out, kDosDate);
    Put32(out, crc);
    Put32(out, size);  // compressed
    Put32(out, size);
    Put16(out, static_cast<uint32_t>(nameSize));
    Put16(out, 0);  // extra field
}

}  // namespace

uint32_t Crc32(std::string_view data, uint32_t crc) {
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    crc = ~crc;
    for (const char ch : data)
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool ZipArchive::Add(std::string_view name, std::string_view data) {
    // Room for this entry, its directory record and the end record.
    const uint64_t after = m_bytes.size() + 30 + name.size() + data.size();
    if (after + (m_entries.size() + 1) * (46 + name.size()) + 22 > kLimit)
        return false;
    Entry entry{std::string(name), Crc32(data), static_cast<uint32_t>(data.size()),
                static_cast<uint32_t>(m_bytes.size())};
    Put32(m_bytes, 0x04034b50);
    PutCommon(m_bytes, entry.crc, entry.size, name.size());
    m_bytes.append(name);
    m_bytes.append(data);
    m_entries.push_back(std::move(entry));
    return true;
}

std::string ZipArchive::Finish() {
    const auto directory = static_cast<uint32_t>(m_bytes.size());
    for (const Entry& e : m_entries) {
        Put32(m_bytes, 0x02014b50);
        Put16(m_bytes, kVersion);  // made by
        PutCommon(m_bytes, e.crc, e.size, e.name.size());
        Put16(m_bytes, 0);  // comment
        Put16(m_bytes, 0);  // disk
        Put16(m_bytes, 0);  // internal attributes
        Put32(m_bytes, 0);  // external attributes
        Put32(m_bytes, e.offset);
        m_bytes.append(e.name);
    }
    const auto count = static_cast<uint32_t>(m_entries.size());
    Put32(m_bytes, 0x06054b50);
    Put16(m_bytes, 0);
    Put16(m_bytes, 0);
    Put16(m_bytes, count);
    Put16(m_bytes, count);
    Put32(m_bytes, static_cast<uint32_t>(m_bytes.size()) - 12 - directory);
    Put32(m_bytes, directory);
    Put16(m_bytes, 0);
    m_entries.clear();
    std::string archive = std::move(m_bytes);
    m_bytes.clear();
    return archive;
}

}  // namespace vm
