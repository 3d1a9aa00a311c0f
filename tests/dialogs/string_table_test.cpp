// The toolbar's tooltips, as the string table gives them.
#include <gtest/gtest.h>

#include "dialogs/string_table.h"

namespace vm {
namespace {

TEST(Tooltip, textAfterFirstNewlineOrWholeAndAtMost79Characters) {
    EXPECT_EQ(TooltipOfString("no newline here"), "no newline here");
    EXPECT_EQ(TooltipOfString("\nOpen\nmore"), "Open\nmore");
    EXPECT_EQ(TooltipOfString(std::string(100, 'x')), std::string(79, 'x'));
    std::string chinese;  // characters, not bytes, are counted
    for (int i = 0; i < 80; ++i)
        chinese += "数";
    EXPECT_EQ(TooltipOfString("\n" + chinese), chinese.substr(0, 79 * 3));
}

}  // namespace
}  // namespace vm
