// The column-order rule: cleaning, comma searches, missing commas, ordering.
#include <gtest/gtest.h>

#include "export/column_order.h"

namespace vm {
namespace {

const std::string G(kColumnGap, ' ');

struct RowCase {
    const char* what;
    std::string line;
    ColumnOrder order;
    std::string row;  // "" when the line yields no row
};

ColumnOrder Sharing(ColumnOrder o) {  // Y in X's column, Z in the absent fifth one
    o.m_nYCol = o.m_nXCol;
    o.m_nZCol = 4;
    return o;
}

TEST(ColumnOrderRow, CutsCleansAndOrdersAsTheDialogSays) {
    const ColumnOrder code = DefaultColumnOrder(true), noCode = DefaultColumnOrder(false);
    const RowCase cases[] = {
        {"defaults", "1,TREE,100.5,200.25,30\r\n", code,
         "1" + G + "100.5" + G + "200.25" + G + "30" + G + "TREE\r\n"},
        {"no code", "7,100,200,30", noCode, "7" + G + "100" + G + "200" + G + "30\r\n"},
        {"Z takes the rest", "7,100,200,30,K9", noCode,
         "7" + G + "100" + G + "200" + G + "30,K9\r\n"},
        {"code takes the rest", "1,C,2,3,4,A,B", code,
         "1" + G + "2" + G + "3" + G + "4,A,B" + G + "C\r\n"},
        // No fourth comma: F4 empty and F5 the whole line, as the search restarts at 0.
        {"three commas with code", "7,100,200,30", code,
         "7" + G + "200" + G + G + "7,100,200,30" + G + "100\r\n"},
        // A,B: c1 = 1, c2 = -1, c3 = 1 again; F1 A, F2 empty, F3 A, F4 B.
        {"one comma", "A,B", noCode, "A" + G + G + "A" + G + "B\r\n"},
        {"outer spaces only", "  A , B  ", noCode, "A " + G + G + "A " + G + " B\r\n"},
        {"tab is no space", "\tP,1,2,3", noCode, "\tP" + G + "1" + G + "2" + G + "3\r\n"},
        {"same column twice", "7,100,200,30", Sharing(noCode),
         "7" + G + "100" + G + "100" + G + "\r\n"},
        {"GBK bytes untouched", "1,\xca\xf7,1,2,3", code,
         "1" + G + "1" + G + "2" + G + "3" + G + "\xca\xf7\r\n"},
        {"heading", "PT X Y Z", code, ""},
        {"empty", "\r\n", code, ""},
    };
    for (const RowCase& c : cases) {
        std::string row;
        EXPECT_EQ(ColumnOrderRow(c.line, c.order, row), !c.row.empty()) << c.what;
        if (!c.row.empty()) {
            EXPECT_EQ(row, c.row) << c.what;
        }
    }
}

TEST(ColumnOrderRows, ReadsNinetyNineBytePiecesInFileOrder) {
    // A 120-byte line arrives as a 99-byte piece and a 21-byte piece, each a row.
    const std::string longLine = "L," + std::string(97, 'x') + "," + std::string(19, 'y') + "\n";
    const std::vector<std::string> rows =
        ColumnOrderRows("head\r\n1,a,1,2,3\r\n" + longLine + "2,b,4,5,6", DefaultColumnOrder(true));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].substr(0, 2), "L ");
    EXPECT_EQ(rows[2], G + G + G + "," + std::string(19, 'y') + G + "\r\n");
    EXPECT_EQ(rows[3].substr(0, 1), "2");
}

}  // namespace
}  // namespace vm
