#pragma once
// The record stream of an Excel 97-2003 workbook: each record is a 2-byte id,
// a 2-byte length and its data, all little-endian. Positions are byte offsets
// from the start of the stream, as the workbook's own pointers count them.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vm {

class StreamedFile;

// Little-endian appends to a byte buffer.
void PutU8(std::string& out, uint8_t value);
void PutU16(std::string& out, uint16_t value);
void PutU32(std::string& out, uint32_t value);

// Longest data part of one record; longer contents continue in further records.
constexpr size_t kBiffMaxRecordData = 8224;

// The data of one short record, built in place without allocating.
class RecordData {
public:
    static constexpr size_t kCapacity = 80;

    RecordData& U16(uint16_t value) {
        m_bytes[m_size++] = static_cast<char>(value & 0xFF);
        m_bytes[m_size++] = static_cast<char>(value >> 8);
        return *this;
    }
    RecordData& U32(uint32_t value) {
        return U16(static_cast<uint16_t>(value & 0xFFFF)).U16(static_cast<uint16_t>(value >> 16));
    }
    const char* data() const { return m_bytes; }
    size_t size() const { return m_size; }

private:
    char m_bytes[kCapacity];
    size_t m_size = 0;
};

class BiffStream {
public:
    // Keeps the records in memory (Bytes, Take).
    BiffStream() = default;
    // Hands the records to file as they come; with no file only counts them,
    // so that a pass can learn every position before the stream is written.
    explicit BiffStream(StreamedFile* file) : m_file(file), m_keep(false) {}

    size_t Position() const { return m_position; }
    // True when the records are only counted: their data need not be built.
    bool Counting() const { return !m_keep && !m_file; }
    // Appends one record (data no longer than kBiffMaxRecordData).
    void Record(uint16_t id, const char* data, size_t size);
    void Record(uint16_t id, const std::string& data) { Record(id, data.data(), data.size()); }
    void Record(uint16_t id, const RecordData& data) { Record(id, data.data(), data.size()); }
    const std::string& Bytes() const { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }

private:
    StreamedFile* m_file = nullptr;
    bool m_keep = true;
    size_t m_position = 0;
    std::string m_bytes;
};

}  // namespace vm
