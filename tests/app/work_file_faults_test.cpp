// The window's commands that go through the work file when that file cannot be
// created (its folder lies under a regular file): the user is told why, no
// "Save OK" appears, nothing is opened and no earlier target changes.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/column_order_dlg.h"
#include "app/dxf_dlg.h"
#include "app/main_dlg.h"
#include "common/file_io.h"
#include "common/user_paths.h"
#include "export/column_order.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

class WorkFileFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
        blocker = dir.write("blocker", "a file where the data folder should be");
        setenv("XDG_DATA_HOME", (blocker + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        main = std::make_unique<CMainDlg>();
        main->m_strText = "P1,100,200,30,CODE\r\n";
        main->UpdateData(false);
    }
    void TearDown() override {
        main.reset();
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }

    test::TempDir dir;
    std::string blocker;
    test::ScriptedDesktop desk;
    std::unique_ptr<CMainDlg> main;
};

TEST_F(WorkFileFaultsTest, DxfTellsWhyAndLeavesTheEarlierDrawing) {
    const std::string target = dir.write("out.dxf", "earlier drawing");
    ExportPaneAsDxf(*main, target, 1);
    const auto boxes = desk.callsOf(test::DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].caption, "Save OK");
    EXPECT_NE(boxes[0].text.find("veltratemp.txt"), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("无法写入文件"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(test::TempDir::read(target), "earlier drawing");
    EXPECT_EQ(main->m_strText, "P1,100,200,30,CODE\r\n") << "the pane keeps its text";
}

TEST_F(WorkFileFaultsTest, TablePrintTellsWhyAndOpensNoViewer) {
    desk.answerFile(dir.write("src.txt", "1,TREE,100.5,200.25,30\r\n"));
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    EXPECT_TRUE(desk.callsOf(test::DesktopCall::Viewer).empty());
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("veltratemp.txt"), std::string::npos);
    EXPECT_EQ(test::TempDir::read(blocker), "a file where the data folder should be");
}

}  // namespace
}  // namespace vm
