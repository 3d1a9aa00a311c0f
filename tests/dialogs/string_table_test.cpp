// The toolbar's tooltips come from the string table: the text after the
// first newline, at most 79 characters.
#include <gtest/gtest.h>

#include "dialogs/string_table.h"

namespace vm {
namespace {

TEST(Tooltip, textAfterFirstNewlineOrWholeAndAtMost79Characters) {
    EXPECT_EQ(TooltipOfString("no newline here"), "no newline here");
    EXPECT_EQ(TooltipOfString("\nOpen\nmore"), "Open\nmore");
    EXPECT_EQ(TooltipOfString(std::string(100, 'x')), std::string(79, 'x'));
    EXPECT_EQ(TooltipOfString("\n下载数据"), "下载数据");  // characters, not bytes, are counted
}

}  // namespace
}  // namespace vm
