// The About box names the program with the build's version and ends on OK.
#include <gtest/gtest.h>

#include "dialogs/about_dialog.h"
#include "tests/support/recording_dialog_host.h"

namespace vm {
namespace {

TEST(AboutDialog, namesTheProgramWithItsVersionAndEndsOnOk) {
    AboutDialog about;
    const DialogTemplate& t = about.Template();
    EXPECT_EQ(std::string(t.title), "About Veltra全站仪通讯");
    EXPECT_EQ(std::string(t.rows[1].caption), "VeltraMarlin(2.5)");
    RecordingDialogHost host(about);
    host.Open();
    host.Click(kIdOk);
    EXPECT_EQ(host.result(), kIdOk);
}

}  // namespace
}  // namespace vm
