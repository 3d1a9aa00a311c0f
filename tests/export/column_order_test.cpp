// The column-order rule: cleaning, comma searches, missing commas, ordering.
#include <gtest/gtest.h>

#include "export/column_order.h"

namespace vm {
namespace {

const std::string kGap(kColumnGap, ' ');

std::string RowOf(const std::string& line, const ColumnOrder& order) {
    std::string row;
    EXPECT_TRUE(ColumnOrderRow(line, order, row)) << line;
    return row;
}

TEST(ColumnOrderDefaults, MatchTheDialogWithAndWithoutCode) {
    const ColumnOrder with = DefaultColumnOrder(true);
    EXPECT_EQ(with.m_bHasCode, 1);
    EXPECT_EQ((std::array<int, 5>{with.m_nPtCol, with.m_nCodeCol, with.m_nXCol, with.m_nYCol,
                                  with.m_nZCol}),
              (std::array<int, 5>{0, 1, 2, 3, 4}));
    const ColumnOrder without = DefaultColumnOrder(false);
    EXPECT_EQ(without.m_bHasCode, 0);
    EXPECT_EQ(
        (std::array<int, 4>{without.m_nPtCol, without.m_nXCol, without.m_nYCol, without.m_nZCol}),
        (std::array<int, 4>{0, 1, 2, 3}));
}

TEST(ColumnOrderRow, ReordersCodeToTheEndWithElevenSpaceGaps) {
    EXPECT_EQ(RowOf("1,TREE,100.5,200.25,30\r\n", DefaultColumnOrder(true)),
              "1" + kGap + "100.5" + kGap + "200.25" + kGap + "30" + kGap + "TREE\r\n");
    EXPECT_EQ(RowOf("7,100,200,30", DefaultColumnOrder(false)),
              "7" + kGap + "100" + kGap + "200" + kGap + "30\r\n");
}

TEST(ColumnOrderRow, LastFieldTakesFurtherCommas) {
    // Without code the Z field is the rest after the third comma.
    EXPECT_EQ(RowOf("7,100,200,30,K9", DefaultColumnOrder(false)),
              "7" + kGap + "100" + kGap + "200" + kGap + "30,K9\r\n");
    // With code the code is the rest after the fourth comma.
    EXPECT_EQ(CutColumnFields("1,C,2,3,4,A,B", true)[4], "4,A,B");
}

TEST(ColumnOrderRow, MissingCommaRestartsTheSearchFromTheStart) {
    // With code and only three commas, c4 is -1: F4 empty, F5 the whole line.
    const ColumnFields f = CutColumnFields("7,100,200,30", true);
    EXPECT_EQ(f[3], "");
    EXPECT_EQ(f[4], "7,100,200,30");

    // A,B without code: c1 = 1, c2 = -1, c3 = 1 again.
    EXPECT_EQ(CutColumnFields("A,B", false), (ColumnFields{"A", "", "A", "B", ""}));
}

TEST(ColumnOrderRow, CleansOnlyLineEndsAndOuterSpaces) {
    // One comma: the second search fails, the third finds the same comma again,
    // so the part after it is the rest field F4. Spaces beside a comma stay.
    const ColumnFields f = CutColumnFields("A , B", false);
    EXPECT_EQ(f[0], "A ");
    EXPECT_EQ(f[3], " B");
    std::string row;
    ASSERT_TRUE(ColumnOrderRow("  A , B  \r\n", DefaultColumnOrder(false), row));
    EXPECT_EQ(row.substr(0, 2), "A ");
    // A tab is not a space: it stays in the field.
    ASSERT_TRUE(ColumnOrderRow("\tP,1,2,3", DefaultColumnOrder(false), row));
    EXPECT_EQ(row.substr(0, 2), "\tP");
}

TEST(ColumnOrderRow, LinesWithoutCommaYieldNoRow) {
    std::string row = "unchanged";
    for (const char* line : {"", "\r\n", "   ", "PT X Y Z", "标题"}) {
        EXPECT_FALSE(ColumnOrderRow(line, DefaultColumnOrder(true), row)) << line;
    }
}

TEST(ColumnOrderRow, SameColumnTwiceAndUnusedFifthColumn) {
    ColumnOrder order = DefaultColumnOrder(false);
    order.m_nYCol = order.m_nXCol;
    EXPECT_EQ(RowOf("7,100,200,30", order), "7" + kGap + "100" + kGap + "100" + kGap + "30\r\n");
    // Without code there is no fifth field: an item set to column 5 is empty.
    order.m_nZCol = 4;
    EXPECT_EQ(RowOf("7,100,200,30", order), "7" + kGap + "100" + kGap + "100" + kGap + "\r\n");
}

TEST(ColumnOrderRow, KeepsChineseBytesAndOutOfRangeColumnsAreEmpty) {
    ColumnOrder order = DefaultColumnOrder(true);
    const std::string gbkTree = "\xca\xf7";  // GBK bytes, passed through untouched
    EXPECT_EQ(RowOf("1," + gbkTree + ",1,2,3", order),
              "1" + kGap + "1" + kGap + "2" + kGap + "3" + kGap + gbkTree + "\r\n");
    order.m_nXCol = -1;
    order.m_nYCol = 99;
    EXPECT_EQ(RowOf("1,C,1,2,3", order), "1" + kGap + kGap + kGap + "3" + kGap + "C\r\n");
}

TEST(ColumnOrderRows, ReadsNinetyNineBytePiecesInFileOrder) {
    // A 120-byte line arrives as a 99-byte piece and a 21-byte piece.
    const std::string longLine = "L," + std::string(97, 'x') + "," + std::string(19, 'y') + "\n";
    const std::vector<std::string> rows =
        ColumnOrderRows("head\r\n1,a,1,2,3\r\n" + longLine + "2,b,4,5,6", DefaultColumnOrder(true));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].substr(0, 1), "1");
    EXPECT_EQ(rows[1].substr(0, 2), "L" + kGap.substr(0, 1));
    // The second piece ",yyy..." has one comma: Z takes the whole piece, the rest is empty.
    EXPECT_EQ(rows[2], kGap + kGap + kGap + "," + std::string(19, 'y') + kGap + "\r\n");
    EXPECT_EQ(rows[3].substr(0, 1), "2");
}

}  // namespace
}  // namespace vm
