#include "dialogs/universal/layout_preview_table.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/file_io.h"
#include "dialogs/dialog_host.h"
#include "dialogs/universal/universal_convert_dialog.h"
#include "universal/layout_preview.h"
#include "universal/number_box.h"

namespace vm {
namespace {

// Five records need no more than the file's first bytes.
constexpr size_t kSourcePrefixBytes = 64 * 1024;

using Dlg = UniversalConvertDialog;

// Records come in GBK (from the instrument) or UTF-8 (made on Linux).
std::string CellText(const std::string& bytes) {
    return IsValidUtf8(bytes) ? bytes : GbkToUtf8(bytes);
}

void TakeNumber(const DialogHost& host, int id, double& value) {
    double typed = 0;
    if (ParseNumberBox(host.Text(id), typed))
        value = typed;
}

}  // namespace

void TakeShownNumbers(const DialogHost& host, UniversalConversionRun& run) {
    long long start = 0;
    if (ParseIntegerBox(host.Text(Dlg::kStartNumberId), start))
        run.startNumber = start;
    TakeNumber(host, 1065, run.addX);
    TakeNumber(host, 1066, run.addY);
    TakeNumber(host, 1067, run.addZ);
    TakeNumber(host, 1069, run.mulX);
    TakeNumber(host, 1070, run.mulY);
    TakeNumber(host, 1071, run.mulZ);
}

void ShowLayoutPreview(DialogHost& host, int tableId, const UniversalConversionRun& run) {
    std::string prefix;
    if (!run.sourcePath.empty())
        ReadFilePrefix(run.sourcePath, kSourcePrefixBytes, prefix);  // unreadable: no records
    const std::vector<LayoutPreviewRow> records =
        PreviewLayoutRecords(prefix, run, Dlg::kPreviewRecords);
    size_t columns = 0;
    for (const LayoutPreviewRow& record : records)
        columns = std::max(columns, record.cells.size());
    std::vector<std::string> header{"原记录"};
    for (size_t c = 1; c <= columns; ++c)
        header.push_back(std::to_string(c));

    std::vector<std::vector<std::string>> rows(Dlg::kPreviewRecords);
    std::vector<std::pair<int, int>> empty;
    for (size_t r = 0; r < records.size(); ++r) {
        rows[r].push_back(CellText(records[r].source));
        for (const std::string& cell : records[r].cells) {
            if (cell.empty())
                empty.emplace_back(int(r), int(rows[r].size()));
            rows[r].push_back(cell.empty() ? Dlg::kEmptyCell : CellText(cell));
        }
    }
    host.SetTable(tableId, header, rows);
    for (const auto& [row, column] : empty)
        host.MarkCell(tableId, row, column, Dlg::kEmptyCellNote);
}

}  // namespace vm
