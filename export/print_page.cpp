#include "export/print_page.h"

#include <algorithm>

namespace vm {
namespace {

void AddRow(PrintPageLayout& page, const PrintTable& table, const std::vector<std::string>& fields,
            double y, bool bold, const PrintMetrics& m) {
    const std::vector<size_t> starts = PrintColumnStarts(table);
    for (size_t c = 0; c < fields.size() && c < starts.size(); ++c) {
        page.texts.push_back({static_cast<double>(starts[c]) * m.cell, y,
                              static_cast<double>(table.widths[c]) * m.cell, m.line,
                              table.alignRight[c] ? PrintAlign::Right : PrintAlign::Left, bold,
                              fields[c]});
    }
}

}  // namespace

double PrintFontPoints(double cellAtLargest, double pageWidth, size_t tableCells) {
    const double wide = cellAtLargest * static_cast<double>(tableCells);
    if (tableCells == 0 || wide <= pageWidth)
        return kPrintLargestPoints;
    return std::max(kPrintSmallestPoints, kPrintLargestPoints * pageWidth / wide);
}

std::vector<PrintPage> PrintPages(const PrintTable& table, const PrintMetrics& m) {
    return PaginatePrintTable(table.rows.size(),
                              PrintRowsPerPage(m.height, m.line, kPrintFixedLines));
}

PrintPageLayout LayOutPrintPage(const PrintTable& table, const std::vector<PrintPage>& pages,
                                size_t index, const PrintMetrics& m) {
    PrintPageLayout page;
    page.texts.push_back({0, 0, m.width, m.line, PrintAlign::Left, true, kPrintTitle});
    page.texts.push_back(
        {0, m.line, m.width, m.line, PrintAlign::Left, false, PrintSourceLine(table)});
    AddRow(page, table, table.headings, 2.5 * m.line, true, m);
    page.ruleY = 3.5 * m.line;
    page.ruleWidth = static_cast<double>(PrintTableWidth(table)) * m.cell;
    double y = page.ruleY + 0.25 * m.line;
    const PrintPage& rows = pages[index];
    for (size_t r = rows.firstRow; r < rows.firstRow + rows.rowCount; ++r, y += m.line)
        AddRow(page, table, table.rows[r], y, false, m);
    page.texts.push_back({0, m.height - m.line, m.width, m.line, PrintAlign::Center, false,
                          PrintPageFooter(index + 1, pages.size())});
    return page;
}

}  // namespace vm
