// The coordinate table: exact bytes. A table that cannot be written is checked
// where the window reports it.
#include <gtest/gtest.h>

#include "export/coordinate_table.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

const std::string kHeading =
    "PT#            X              Y             Z           PCode\r\n\r\n";
const std::string G(kColumnGap, ' ');

TEST(CoordinateTable, HeadingThenRowsOfLinesWithCommas) {
    test::TempDir dir;
    CoordinateTableRequest request;
    request.sourcePath = dir.write("src.txt", "Title\r\n\r\n1,TREE,100.5,200.25,30\r\n");
    request.tablePath = dir.file("veltratemp.txt");
    request.order = DefaultColumnOrder(false);  // the heading keeps PCode
    const CoordinateTableResult result = WriteCoordinateTable(request);
    EXPECT_TRUE(result.written && result.messages.empty());
    EXPECT_EQ(test::TempDir::read(request.tablePath),
              kHeading + "1" + G + "TREE" + G + "100.5" + G + "200.25,30\r\n");
    EXPECT_EQ(BuildCoordinateTable("no commas\r\n", DefaultColumnOrder(true)), kHeading);
}

}  // namespace
}  // namespace vm
