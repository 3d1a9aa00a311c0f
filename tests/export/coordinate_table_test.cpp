// The coordinate table: exact bytes, rows only for lines with commas, and
// failures that leave the earlier table in place.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "export/coordinate_table.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

const std::string kHeading =
    "PT#            X              Y             Z           PCode\r\n\r\n";
const std::string kGap(kColumnGap, ' ');

TEST(CoordinateTable, ExactBytesWithAndWithoutCode) {
    ASSERT_EQ(CoordinateTableHeading(), kHeading);
    const std::string source = "1,TREE,100.5,200.25,30\r\n7,100,200,30\n";
    EXPECT_EQ(BuildCoordinateTable(source, DefaultColumnOrder(true)),
              kHeading + "1" + kGap + "100.5" + kGap + "200.25" + kGap + "30" + kGap + "TREE\r\n" +
                  // three commas with code: Y empty, Z the whole line, code the second field
                  "7" + kGap + "200" + kGap + kGap + "7,100,200,30" + kGap + "100\r\n");
    // Without code the heading still ends with PCode and rows end after Z.
    EXPECT_EQ(BuildCoordinateTable("7,100,200,30", DefaultColumnOrder(false)),
              kHeading + "7" + kGap + "100" + kGap + "200" + kGap + "30\r\n");
}

TEST(CoordinateTable, SourceWithoutCommasGivesHeadingOnly) {
    size_t rows = 99;
    EXPECT_EQ(BuildCoordinateTable("", DefaultColumnOrder(true), &rows), kHeading);
    EXPECT_EQ(rows, 0u);
    EXPECT_EQ(BuildCoordinateTable("Title\r\n\r\nno commas here\r\n", DefaultColumnOrder(true)),
              kHeading);
}

TEST(WriteCoordinateTable, WritesTheTableOwnerOnly) {
    test::TempDir dir;
    CoordinateTableRequest request;
    request.sourcePath = dir.write("src.txt", "1,TREE,100.5,200.25,30\r\n");
    request.tablePath = dir.file("veltratemp.txt");
    request.mode = FileMode::OwnerOnly;
    const CoordinateTableResult result = WriteCoordinateTable(request);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.rowCount, 1u);
    EXPECT_EQ(test::TempDir::read(request.tablePath),
              kHeading + "1" + kGap + "100.5" + kGap + "200.25" + kGap + "30" + kGap + "TREE\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(request.tablePath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(WriteCoordinateTable, FailuresAreReportedAndLeaveTheOldTable) {
    test::TempDir dir;
    CoordinateTableRequest request;
    request.tablePath = dir.write("veltratemp.txt", "earlier pane");

    request.sourcePath = dir.file("missing.txt");
    CoordinateTableResult result = WriteCoordinateTable(request);
    EXPECT_FALSE(result.written);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find("missing.txt"), std::string::npos);
    EXPECT_EQ(test::TempDir::read(request.tablePath), "earlier pane");

    // A source that is a folder cannot be read either.
    request.sourcePath = dir.path();
    EXPECT_FALSE(WriteCoordinateTable(request).written);

    request.sourcePath = dir.write("src.txt", "1,a,1,2,3\r\n");
    request.tablePath = dir.file("no/such/folder/table.txt");
    result = WriteCoordinateTable(request);
    EXPECT_FALSE(result.written);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find("table.txt"), std::string::npos);
}

}  // namespace
}  // namespace vm
