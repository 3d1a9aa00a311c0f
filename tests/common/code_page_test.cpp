// The code-page conversions between GBK and UTF-8: what each side cannot
// hold is replaced visibly and counted, never dropped or allowed to swallow
// the text after it.
#include <gtest/gtest.h>

#include "common/code_page.h"

namespace vm {
namespace {

TEST(CodePage, GbkToUtf8KeepsTheTextAfterABadByte) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xCA\xF7"
         "1",
         "树1"},
        {"a\x80z", "a€z"},                 // the code page's euro sign
        {"a\xFFz\xD6", "a\uFFFDz\uFFFD"},  // a bad byte and a cut-off character
        {"plain", "plain"},
    };
    for (const auto& [gbk, utf8] : cases)
        EXPECT_EQ(GbkToUtf8(gbk), utf8) << gbk;
}

TEST(CodePage, Utf8ToGbkReplacesWhatGbkCannotHoldAndCountsIt) {
    const struct {
        std::string utf8, gbk;
        size_t replaced;
    } cases[] = {
        {"树1 €",
         "\xCA\xF7"
         "1 \x80",
         0},
        {"点😀x", "\xB5\xE3?x", 1},  // outside GBK
        {"a\xFF\xC3", "a??", 2},    // not UTF-8 at all
    };
    for (const auto& c : cases) {
        size_t replaced = 0;
        EXPECT_EQ(Utf8ToGbk(c.utf8, &replaced), c.gbk) << c.utf8;
        EXPECT_EQ(replaced, c.replaced) << c.utf8;
    }
    EXPECT_TRUE(CodePageConvertersAvailable());
}

}  // namespace
}  // namespace vm
