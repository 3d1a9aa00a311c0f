// The pane-to-file rule: CR never written, every LF written as CR LF.
#include "common/pane_text.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(PaneToFile, lineEndCases) {
    EXPECT_EQ(PaneToFileBytes("A\r\nB"), "A\r\nB");
    EXPECT_EQ(PaneToFileBytes("A\nB"), "A\r\nB");
    EXPECT_EQ(PaneToFileBytes("A\rB"), "AB");
    EXPECT_EQ(PaneToFileBytes("X\rY\nZ"), "XY\r\nZ");
    EXPECT_EQ(PaneToFileBytes("\r\r\n\n"), "\r\n\r\n");
    EXPECT_EQ(PaneToFileBytes("last line"), "last line");  // no break added
    const std::string other = std::string("\0\x01\xD6\xD0\xFF\t", 6);
    EXPECT_EQ(PaneToFileBytes(other), other);
}

TEST(PaneLines, countsALinePerLfWithCrLfOnce) {
    EXPECT_EQ(CountPaneLines(""), 1);
    EXPECT_EQ(CountPaneLines("A\r\nB\r\n"), 3);
    EXPECT_EQ(CountPaneLines("A\nB\rC"), 2);
    EXPECT_EQ(CountPaneLines("\r\r\n\n\r\n"), 4);
}

}  // namespace
}  // namespace vm
