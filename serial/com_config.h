#pragma once
// Maps the stored indexes of the serial settings to device values. A stored
// value outside the listed indexes passes through unchanged (as its low 8 bits
// for the 8-bit results), so hand-edited files with real values still work.

#include <cstdint>

namespace vm {

class CComConfig {
public:
    int32_t MapPort(long long index) const;            // 0..7 -> 1..8
    int32_t MapBaud(long long index) const;            // 0..8 -> 300..115200
    uint8_t MapByteSize(long long index) const;        // 0 -> 7, 1 -> 8
    uint8_t MapParityStopBits(long long index) const;  // 0, 1, 2 unchanged
    int32_t MapProtocol(long long index) const;        // 0 -> 1 (XON/XOFF), 1 -> 0, 2 RTS/CTS
};

}  // namespace vm
