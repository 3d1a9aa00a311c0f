// The printed table's layout: each line decoded on its own, columns as wide as
// their widest value (a Chinese character two cells), and page breaks that
// neither lose nor repeat a row. The painted pages are read back from a PDF
// in tests/scripts.
#include <gtest/gtest.h>

#include "export/print_page.h"
#include "export/print_table.h"

namespace vm {
namespace {

TEST(PrintTable, LinesDecodedOnTheirOwnAndColumnsFitted) {
    const std::string source =
        "title\r\n"
        "\xca\xf7"
        "1,K,100.5,200.25,30\r\n"  // GBK
        "\xe6\xa0\x91"
        "22,\xe7\xa0\x81,1,2,3\r\n";  // UTF-8
    const PrintTable t = BuildPrintTable(source, DefaultColumnOrder(true), "/data/测区.txt");
    EXPECT_EQ(t.sourceName, "测区.txt");
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"树1", "100.5", "200.25", "30", "K"}));
    EXPECT_EQ(t.rows[1], (std::vector<std::string>{"树22", "1", "2", "3", "码"}));
    EXPECT_EQ(t.widths, (std::vector<size_t>{4, 5, 6, 2, 5}));
    EXPECT_EQ(t.alignRight, (std::vector<bool>{false, true, true, true, false}));
    EXPECT_EQ(PrintColumnStarts(t), (std::vector<size_t>{0, 7, 15, 24, 29}));
    EXPECT_EQ(EncodingStatus(t.counts), "源文件编码不一：1 行按 UTF-8 读取，1 行按 GBK 读取。");
    EXPECT_EQ(BuildPrintTable("7,1,2,3\r\n", DefaultColumnOrder(false), "a").headings.size(), 4u);
}

TEST(PrintTable, PagesHoldEveryRowOnce) {
    const struct {
        size_t rows, perPage;
        std::vector<size_t> counts;
    } cases[] = {
        {0, 40, {0}},  // an empty table still prints its heading
        {40, 40, {40}},
        {81, 40, {40, 40, 1}},
        {3, 0, {1, 1, 1}},  // a page too small for a row still takes one
    };
    for (const auto& c : cases) {
        std::vector<size_t> counts;
        size_t next = 0;
        for (const PrintPage& p : PaginatePrintTable(c.rows, c.perPage)) {
            EXPECT_EQ(p.firstRow, next);
            next += p.rowCount;
            counts.push_back(p.rowCount);
        }
        EXPECT_EQ(counts, c.counts) << c.rows << " rows";
    }
    EXPECT_EQ(PrintRowsPerPage(100, 10, 5), 5u);
    EXPECT_EQ(PrintRowsPerPage(30, 10, 5), 1u);
}

// What both systems draw: on page 2 of 3 the title, the source, bold
// headings, that page's rows with X, Y, Z on the right, and the footer; a
// table too wide for the page gets a smaller font, never below the smallest.
TEST(PrintTable, EveryPageLaidOutForBothSystems) {
    std::string source;
    for (int i = 0; i < 25; ++i)
        source += "P" + std::to_string(i) + ",C,1.5,2.25," + std::to_string(i) + "\r\n";
    const PrintTable t = BuildPrintTable(source, DefaultColumnOrder(true), "/d/a.txt");
    const PrintMetrics m{10, 20, 600, 300};  // 15 lines: 10 rows a page
    const std::vector<PrintPage> pages = PrintPages(t, m);
    ASSERT_EQ(pages.size(), 3u);
    const PrintPageLayout page = LayOutPrintPage(t, pages, 1, m);
    ASSERT_EQ(page.texts.size(), 2 + 5 + 10 * 5 + 1u);
    EXPECT_EQ(page.texts[0].text, kPrintTitle);
    EXPECT_EQ(page.texts[1].text, "源文件：a.txt");
    EXPECT_TRUE(page.texts[2].bold);
    const PrintText& x = page.texts[7 + 1];  // the first row's X
    EXPECT_EQ(page.texts[7].text, "P10");
    EXPECT_EQ(x.align, PrintAlign::Right);
    EXPECT_DOUBLE_EQ(x.y, page.ruleY + 5);
    const PrintText& footer = page.texts.back();
    EXPECT_EQ(footer.text, "第 2 页，共 3 页");
    EXPECT_EQ(footer.align, PrintAlign::Center);
    EXPECT_DOUBLE_EQ(footer.y, 280);
    EXPECT_DOUBLE_EQ(page.ruleWidth, PrintTableWidth(t) * 10.0);
    EXPECT_DOUBLE_EQ(PrintFontPoints(5, 600, 100), kPrintLargestPoints);
    EXPECT_DOUBLE_EQ(PrintFontPoints(5, 600, 200), 6.0);
    EXPECT_DOUBLE_EQ(PrintFontPoints(5, 600, 1000), kPrintSmallestPoints);
}

}  // namespace
}  // namespace vm
