#pragma once
// A .zip archive made in memory, as an Office workbook's container needs it:
// each entry stored as it is (no compression) with its CRC-32, a fixed time
// stamp so the same workbook gives the same bytes, and the central directory
// at the end.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// The CRC-32 of .zip and PNG (polynomial 0xEDB88320), continued from crc.
uint32_t Crc32(std::string_view data, uint32_t crc = 0);

class ZipArchive {
public:
    // Appends an entry; false when the archive would outgrow the 4 GiB that
    // the format's sizes and offsets can reach.
    bool Add(std::string_view name, std::string_view data);
    // The whole archive; the archive is empty afterwards.
    std::string Finish();

private:
    struct Entry {
        std::string name;
        uint32_t crc = 0;
        uint32_t size = 0;
        uint32_t offset = 0;
    };
    std::string m_bytes;
    std::vector<Entry> m_entries;
};

}  // namespace vm
