// Any bytes as a comma-separated coordinate file, with the column order taken
// from the first bytes (any 16-bit column numbers, as a settings file could
// hold): one table row per piece holding a comma, each ended by CR LF; lines
// with enough commas are cut exactly at them; the printable table and the
// spreadsheet cells take the same lines without crashing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/line_reader.h"
#include "common/text.h"
#include "export/column_order.h"
#include "export/coordinate_table.h"
#include "export/excel_export.h"

namespace {

constexpr size_t kOrderBytes = 11;

vm::ColumnOrder OrderFromBytes(const uint8_t* d) {
    vm::ColumnOrder order;
    int16_t* columns[] = {&order.m_nPtCol, &order.m_nXCol, &order.m_nYCol, &order.m_nZCol,
                          &order.m_nCodeCol};
    for (int k = 0; k < 5; ++k)
        std::memcpy(columns[k], d + 2 * k, sizeof(int16_t));
    order.m_bHasCode = d[10] & 1 ? 1 : (d[10] & 2 ? 0 : static_cast<int8_t>(d[10]));
    return order;
}

// With every comma present the fields are plain cuts.
void CheckPlainCut(const std::string& cleaned, bool hasCode) {
    std::vector<size_t> commas;
    for (size_t at = cleaned.find(','); at != std::string::npos && commas.size() < 4;
         at = cleaned.find(',', at + 1))
        commas.push_back(at);
    const size_t needed = hasCode ? 4 : 3;
    if (commas.size() < needed)
        return;
    const vm::ColumnFields fields = vm::CutColumnFields(cleaned, hasCode);
    size_t from = 0;
    for (size_t k = 0; k < needed; ++k) {
        if (fields[k] != cleaned.substr(from, commas[k] - from))
            __builtin_trap();
        from = commas[k] + 1;
    }
    if (fields[needed] != cleaned.substr(from))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kOrderBytes)
        return 0;
    const vm::ColumnOrder order = OrderFromBytes(data);
    const bool hasCode = order.m_bHasCode == 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + kOrderBytes, size - kOrderBytes);

    size_t withComma = 0;
    vm::LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece)) {
        const std::string cleaned = vm::CleanPiece(piece);
        if (cleaned.find(',') != std::string::npos)
            ++withComma;
        CheckPlainCut(cleaned, hasCode);
        vm::ExcelCellsFromPiece(piece);
    }
    const std::vector<std::string> rows = vm::ColumnOrderRows(bytes, order);
    if (rows.size() != withComma)
        __builtin_trap();
    const size_t gaps = hasCode ? 4 : 3;
    for (const std::string& row : rows) {
        if (row.size() < gaps * vm::kColumnGap + 2)
            __builtin_trap();
        if (row.compare(row.size() - 2, 2, "\r\n") != 0)
            __builtin_trap();
    }
    size_t tableRows = 0;
    const std::string table = vm::BuildCoordinateTable(bytes, order, &tableRows);
    if (tableRows != rows.size())
        __builtin_trap();
    if (table.compare(0, vm::CoordinateTableHeading().size(), vm::CoordinateTableHeading()) != 0)
        __builtin_trap();
    return 0;
}
