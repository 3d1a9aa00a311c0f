// Any bytes as an existing delimited text file of the spreadsheet writer, and
// as the source of the Excel export: loading and splitting every row must not
// crash, a save followed by a fresh load must give back the same rows, rows
// put in afterwards must come back with their exact cells, and the export must
// write a workbook for any source that holds data, and none for one without.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "export/excel_export.h"
#include "export/spreadsheet.h"
#include "fuzz_files.h"

namespace {

constexpr size_t kControlBytes = 3;

std::string Separator(uint8_t choice) {
    static const char* const kSeparators[] = {",",  "Coordinate", ";",    "\"",
                                              "\t", "",           ",;.?", "\"\""};
    return kSeparators[choice % 8];
}

void SplitEveryRow(vm::CSpreadSheet& sheet) {
    vm::CSpreadSheet::Cells cells;
    sheet.SplitRow(cells, 1);
    for (int guard = 0; sheet.SplitRow(cells, 0) && guard < 100000; ++guard) {
    }
}

void CheckTextFile(const std::string& bytes, const uint8_t* control) {
    const std::string path = vm::fuzz::ScratchPath("sheet.txt");
    if (!vm::fuzz::WriteScratch(path, bytes))
        return;
    const std::string separator = Separator(control[0]);
    std::vector<std::string> stored;
    {
        vm::CSpreadSheet sheet(path, separator, false);
        SplitEveryRow(sheet);
        stored = sheet.StoredRows();
        sheet.DeferWrites();
        if (!sheet.Save())
            __builtin_trap();
    }
    vm::CSpreadSheet reloaded(path, separator, false);
    if (reloaded.StoredRows() != stored)
        __builtin_trap();

    // A row put in at a place chosen by the input comes back with its cells.
    reloaded.DeferWrites();
    const vm::CSpreadSheet::Cells cells = {"PT1", "100.5", std::string(1, char(control[2])), ""};
    const int32_t row = control[1] % 64;
    if (!reloaded.PutRow(cells, row, control[1] & 0x80))
        __builtin_trap();
    vm::CSpreadSheet::Cells back;
    const int32_t at = row == 0 ? reloaded.RowCount() : row;
    if (reloaded.SplitRow(back, at) && back != cells)
        __builtin_trap();
    SplitEveryRow(reloaded);
}

void CheckExcelExport(const std::string& bytes) {
    vm::ExcelExportInput input;
    input.source = bytes;
    input.targetPath = vm::fuzz::ScratchPath("export.xls");
    const vm::ExcelExportResult result = vm::ExportCoordinatesToExcel(input);
    // A source without data makes no workbook; any other source makes one.
    const bool hasData = vm::HoldsAnyData(bytes);
    if (result.ok != hasData)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kControlBytes)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + kControlBytes,
                            size - kControlBytes);
    CheckTextFile(bytes, data);
    if (data[0] & 0x80)
        CheckExcelExport(bytes);
    return 0;
}
