// The texts the program shows beyond its dialogs' rows: the toolbar's
// tooltips from the string table, and the About box's name and version.
#include <gtest/gtest.h>

#include "dialogs/about_dialog.h"
#include "dialogs/string_table.h"
#include "tests/support/recording_dialog_host.h"

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

TEST(AboutDialog, namesTheProgramWithItsVersionAndEndsOnOk) {
    AboutDialog about;
    EXPECT_EQ(std::string(about.Template().rows[1].caption), "VeltraMarlin(2.5)");
    RecordingDialogHost host(about);
    host.Open();
    host.Click(kIdOk);
    EXPECT_EQ(host.result(), kIdOk);
}

}  // namespace
}  // namespace vm
