#pragma once
// The record stream of an Excel 97-2003 workbook: each record is a 2-byte id,
// a 2-byte length and its data, all little-endian. Positions are byte offsets
// from the start of the stream, as the workbook's own pointers count them.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vm {

// Little-endian appends to a byte buffer.
void PutU8(std::string& out, uint8_t value);
void PutU16(std::string& out, uint16_t value);
void PutU32(std::string& out, uint32_t value);
void PatchU32(std::string& out, size_t at, uint32_t value);

// Longest data part of one record; longer contents continue in further records.
constexpr size_t kBiffMaxRecordData = 8224;

class BiffStream {
public:
    size_t Position() const { return m_bytes.size(); }
    // Appends one record (data no longer than kBiffMaxRecordData).
    void Record(uint16_t id, const std::string& data);
    // Overwrites a 32-bit value at an absolute stream position.
    void Patch(size_t at, uint32_t value) { PatchU32(m_bytes, at, value); }
    const std::string& Bytes() const { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

}  // namespace vm
