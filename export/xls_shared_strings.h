#pragma once
// The workbook's shared string table: every text cell names its string by
// index, and each distinct string is stored once.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "export/biff_stream.h"

namespace vm {

class XlsSharedStrings {
public:
    // The index of text, adding it when new; every call counts as one use.
    uint32_t Add(const std::u16string& text);

    uint32_t TotalUses() const { return m_nUses; }
    size_t UniqueCount() const { return m_aStrings.size(); }

    // Appends the table as one SST record and as many CONTINUE records as the
    // strings need. A string's 3-byte header never splits; when its characters
    // run over a record's end they go on in the next record behind a repeated
    // option byte, never cutting a character (or a surrogate pair) in two.
    void Write(BiffStream& out) const;

private:
    std::vector<std::u16string> m_aStrings;
    std::unordered_map<std::u16string, uint32_t> m_index;
    uint32_t m_nUses = 0;
};

}  // namespace vm
