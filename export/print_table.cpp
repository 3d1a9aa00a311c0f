#include "export/print_table.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/line_reader.h"
#include "export/column_widths.h"

namespace vm {

PrintTable BuildPrintTable(const std::string& sourceBytes, const ColumnOrder& order,
                           const std::string& sourcePath) {
    PrintTable table;
    const std::string name = FileNameOf(sourcePath);
    table.sourceName = LineToUtf8(name, ClassifyLine(name));
    table.headings = {"PT#", "X", "Y", "Z"};
    if (order.m_bHasCode == 1)
        table.headings.push_back("PCode");
    table.alignRight = {false, true, true, true, false};
    table.alignRight.resize(table.headings.size());
    for (const std::string& h : table.headings)
        table.widths.push_back(DisplayWidthUtf8(h));

    LineReader reader(sourceBytes);
    std::string piece;
    std::vector<std::string> fields;
    while (reader.Next(piece)) {
        if (!ColumnOrderFields(piece, order, fields))
            continue;
        const LineCoding coding = ClassifyLine(piece);
        table.counts.Add(coding);
        for (size_t c = 0; c < fields.size(); ++c) {
            fields[c] = LineToUtf8(fields[c], coding);
            table.widths[c] = std::max(table.widths[c], DisplayWidthUtf8(fields[c]));
        }
        table.rows.push_back(fields);
    }
    return table;
}

std::vector<size_t> PrintColumnStarts(const PrintTable& table) {
    std::vector<size_t> starts;
    size_t at = 0;
    for (size_t width : table.widths) {
        starts.push_back(at);
        at += width + kPrintColumnGap;
    }
    return starts;
}

size_t PrintTableWidth(const PrintTable& table) {
    const std::vector<size_t> starts = PrintColumnStarts(table);
    return starts.empty() ? 0 : starts.back() + table.widths.back();
}

std::vector<PrintPage> PaginatePrintTable(size_t rows, size_t rowsPerPage) {
    rowsPerPage = std::max<size_t>(rowsPerPage, 1);
    std::vector<PrintPage> pages;
    for (size_t first = 0; first < rows || pages.empty(); first += rowsPerPage)
        pages.push_back({first, std::min(rowsPerPage, rows - std::min(first, rows))});
    return pages;
}

size_t PrintRowsPerPage(double pageHeight, double lineHeight, size_t fixedLines) {
    if (lineHeight <= 0)
        return 1;
    const double lines = pageHeight / lineHeight;
    return lines > static_cast<double>(fixedLines + 1) ? static_cast<size_t>(lines) - fixedLines
                                                       : 1;
}

std::string PrintSourceLine(const PrintTable& table) {
    return "源文件：" + table.sourceName;
}

std::string PrintPageFooter(size_t page, size_t pages) {
    return "第 " + std::to_string(page) + " 页，共 " + std::to_string(pages) + " 页";
}

}  // namespace vm
