// The universal conversion's preview: the first records and what they become,
// cut into columns, without touching the numbering counter of the dialog.
#include <gtest/gtest.h>

#include <set>

#include "universal/layout_preview.h"

namespace vm {
namespace {

TEST(LayoutPreview, FirstRecordsConvertedWithTheirEmptyColumnsKept) {
    UniversalConversionRun run;  // the worked example's layouts, numbering on from 5
    run.layout.source = {0, 1, 2, 3, 4, 5};
    run.layout.target = {0, 1, 3, 2, 4, 5};
    run.layout.attributeEnabled = true;
    run.layout.numberingEnabled = true;
    run.startNumber = 5;
    std::string source;
    for (int i = 0; i < 7; ++i)
        source += "1" + std::to_string(i) + ",K3,512.345,502.1,45.6\r\n";
    std::vector<LayoutPreviewRow> rows = PreviewLayoutRecords(source, run);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].source, "10,K3,512.345,502.1,45.6");
    EXPECT_EQ(rows[0].cells,
              (std::vector<std::string>{"10", "K3", "502.100", "512.345", "45.600", "5"}));
    EXPECT_EQ(rows[4].cells.back(), "9");
    EXPECT_EQ(run.startNumber, 5);

    // Attribute and numbering off, Z after a gap: Z still gets a separator,
    // and the line ends in an empty column.
    run.layout.numberingEnabled = false;
    run.layout.attributeEnabled = false;
    run.layout.target = {0, 5, 1, 2, 4, 5};
    rows = PreviewLayoutRecords("P1,,1,2,3\r\n", run, 5);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"P1", "1.000", "2.000", "3.000", ""}));
    EXPECT_TRUE(PreviewLayoutRecords("", run).empty());
}

// Two filled items are never written without a separator between them, for
// every layout (positions, attribute and numbering on or off, both target
// separators): each column of the preview is one item or empty, and the file
// conversion writes the very line the preview shows.
TEST(LayoutPreview, NoLayoutJoinsTwoItems) {
    const std::string record = "12,K3,512.345,502.1,45.6,77\r\n";
    const std::set<std::string> items = {"", "12", "K3", "512.345", "502.100", "45.600", "77", "5"};
    UniversalConversionRun run;
    run.layout.source = {0, 1, 2, 3, 4, 5};
    // The case seen in the preview: X, Y, Z at fields 4, 3, 5, attribute off.
    run.layout.target = {0, 1, 3, 2, 4, 5};
    EXPECT_EQ(PreviewLayoutRecords(record, run)[0].cells,
              (std::vector<std::string>{"12", "502.100", "512.345", "45.600", ""}));
    int target[6];
    size_t checked = 0;
    for (int layout = 0; layout < 6 * 6 * 6 * 6 * 6 * 6 * 8; ++layout) {
        int rest = layout;
        for (int& position : target) {
            position = rest % 6;
            rest /= 6;
        }
        run.layout.target = {target[0], target[1], target[2], target[3], target[4], target[5]};
        run.layout.attributeEnabled = rest & 1;
        run.layout.numberingEnabled = rest & 2;
        run.targetSeparator = (rest & 4) ? ' ' : ',';
        run.startNumber = 5;
        const std::vector<LayoutPreviewRow> rows = PreviewLayoutRecords(record, run, 1);
        for (const std::string& cell : rows.at(0).cells)
            ASSERT_TRUE(items.count(cell) || cell == " ") << "layout " << layout << ": " << cell;
        if (layout % 97 == 0) {  // the file conversion's path, on a spread of layouts
            long long count = 0;
            std::string line = rows[0].cells[0];
            for (size_t c = 1; c < rows[0].cells.size(); ++c)
                line += run.targetSeparator + rows[0].cells[c];
            EXPECT_EQ(ConvertLayoutText(record, run, count), line + "\r\n") << layout;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000u);
}

}  // namespace
}  // namespace vm
