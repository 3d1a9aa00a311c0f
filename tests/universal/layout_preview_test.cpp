// The universal conversion's preview: the first records and what they become,
// cut into columns, without touching the numbering counter of the dialog.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vm
