// Any bytes through the 99-byte line reader and the number readers: every byte
// comes back out (each line end, CR LF, LF or a lone CR, as one LF; a
// byte-order mark at the start left out) and no piece is longer than 99 bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/line_reader.h"
#include "common/number.h"
#include "common/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vm::LineReader reader(bytes);
    std::string piece, joined;
    while (reader.Next(piece)) {
        if (piece.empty() || piece.size() > vm::LineReader::kMaxPiece)
            __builtin_trap();
        joined += piece;
        vm::AtoF(piece);
        vm::AtoI(piece);
        vm::CleanPiece(piece);
    }
    std::string expected;
    for (size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        expected.push_back(bytes[i] == '\r' ? '\n' : bytes[i]);
    }
    if (joined != expected)
        __builtin_trap();
    return 0;
}
