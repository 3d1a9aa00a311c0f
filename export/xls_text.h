#pragma once
// Cell texts arrive as the program's byte strings (GBK, the Chinese Windows
// code page) and are stored in the workbook as UTF-16. Files made on Linux are
// often UTF-8 instead, so a workbook whose every cell is valid UTF-8 is read as
// UTF-8, as the text pane does; anything else is read as GBK (through
// GB18030, its superset). Bytes that are neither become U+FFFD and the text
// after them is kept.

#include <string>

#include "common/code_page.h"

namespace vm {

enum class CellEncoding { Gbk, Utf8 };

class CellDecoder {
public:
    explicit CellDecoder(CellEncoding encoding);
    ~CellDecoder();
    CellDecoder(const CellDecoder&) = delete;
    CellDecoder& operator=(const CellDecoder&) = delete;

    std::u16string Decode(const std::string& bytes);
    // False when bytes hold non-ASCII text but the system has no converter for
    // the encoding (the C library's conversion modules are missing).
    bool CanDecode(const std::string& bytes) const;

private:
    static constexpr char16_t kReplacement = 0xFFFD;
    static constexpr char16_t kEuro = 0x20AC;  // the single byte 0x80 of the Chinese code page

    // The system's conversion (one source per system): an invalid or cut-off
    // sequence becomes one replacement character per byte (the euro sign for
    // a lone 0x80 in GBK) and the text after it is kept.
    void DecodeNonAscii(const std::string& bytes, std::u16string& out);

    CellEncoding m_encoding;
    void* m_cd = nullptr;  // the system's converter, kept for the whole workbook
};

}  // namespace vm
