#pragma once
// The printed table's pages laid out once for every system: the font size
// that fits the table on the page, the pages, and on each page where every
// text goes (in the device's units), bold or plain, aligned left, right or
// centred, and where the rule under the headings runs. The printing code of
// each system (Qt's painter, Windows' GDI) measures its font and draws what
// it is given, so both print the same pages.

#include <cstddef>
#include <string>
#include <vector>

#include "export/print_table.h"

namespace vm {

inline constexpr double kPrintLargestPoints = 10.0;
inline constexpr double kPrintSmallestPoints = 5.0;
inline constexpr double kPrintLineSpacing = 1.2;  // line height over the font's height
inline constexpr size_t kPrintFixedLines = 5;     // title, source, headings, rule, page number

// The printable page and the chosen font, in the device's units.
struct PrintMetrics {
    double cell = 0;  // one character cell: the advance of '0'
    double line = 0;  // one line: the font's height times kPrintLineSpacing
    double width = 0;
    double height = 0;
};

enum class PrintAlign { Left, Right, Center };

struct PrintText {
    double x = 0, y = 0, width = 0, height = 0;  // the box the text is centred in vertically
    PrintAlign align = PrintAlign::Left;
    bool bold = false;
    std::string text;  // UTF-8
};

struct PrintPageLayout {
    std::vector<PrintText> texts;
    double ruleY = 0;  // the rule under the headings, from x = 0
    double ruleWidth = 0;
};

// The font size in points: the largest, shrunk so that a table this many
// cells wide fits the page width, but never below the smallest. cellAtLargest
// is a cell's width at the largest size.
double PrintFontPoints(double cellAtLargest, double pageWidth, size_t tableCells);

std::vector<PrintPage> PrintPages(const PrintTable& table, const PrintMetrics& m);

// Page index (from 0) of pages: title, source line, headings, rule, the page's
// rows, and "第 N 页，共 M 页" centred at the foot.
PrintPageLayout LayOutPrintPage(const PrintTable& table, const std::vector<PrintPage>& pages,
                                size_t index, const PrintMetrics& m);

}  // namespace vm
