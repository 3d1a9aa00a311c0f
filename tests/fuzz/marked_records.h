#pragma once
// The records of a file by the marking rule, written plainly as a reference
// for the fuzz targets: each 99-byte piece loses CR and LF and gets "@$$";
// '@' and '$' never reach a record, and "@$$" ends one.

#include <string>
#include <vector>

#include "common/line_reader.h"

namespace vm::fuzz {

inline std::vector<std::string> MarkedRecords(const std::string& bytes) {
    std::vector<std::string> records;
    LineReader reader(bytes);
    std::string piece, record;
    while (reader.Next(piece)) {
        std::string marked;
        for (char c : piece) {
            if (c != '\r' && c != '\n')
                marked.push_back(c);
        }
        marked += "@$$";
        for (size_t i = 0; i < marked.size(); ++i) {
            if (marked[i] != '@' && marked[i] != '$')
                record.push_back(marked[i]);
            if (marked.compare(i, 3, "@$$") == 0) {
                records.push_back(record);
                record.clear();
            }
        }
    }
    return records;
}

}  // namespace vm::fuzz
