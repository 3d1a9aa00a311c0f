// The table print and DXF commands on a real main window, with the scripted
// desktop answering the file dialogs and the per-user folders in a temp dir.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/column_order_dlg.h"
#include "app/dxf_dlg.h"
#include "app/main_dlg.h"
#include "common/user_paths.h"
#include "export/coordinate_table.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

class ExportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
        setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        main = std::make_unique<CMainDlg>();
    }
    void TearDown() override {
        main.reset();
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    void SetPane(const std::string& text) {
        main->m_strText = text;
        main->UpdateData(false);
    }

    test::TempDir dir;
    test::ScriptedDesktop desk;
    std::unique_ptr<CMainDlg> main;
};

TEST_F(ExportCommandsTest, TableGoesToTheWorkFileAndTheViewer) {
    desk.answerFile(dir.write("src.txt", "title\r\n1,TREE,100.5,200.25,30\r\n"));
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    const auto opens = desk.callsOf(test::DesktopCall::OpenFile);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].request.filter, "*.txt|*.txt|*.dat|*.dat|*.*|*.*|");
    EXPECT_EQ(opens[0].request.defaultExt, "txt");
    const auto viewed = desk.callsOf(test::DesktopCall::Viewer);
    ASSERT_EQ(viewed.size(), 1u);
    EXPECT_EQ(viewed[0].path, WorkFilePath());
    const std::string gap(kColumnGap, ' ');
    EXPECT_EQ(test::TempDir::read(WorkFilePath()), CoordinateTableHeading() + "1" + gap + "100.5" +
                                                       gap + "200.25" + gap + "30" + gap +
                                                       "TREE\r\n");
    EXPECT_TRUE(desk.messages().empty());
}

TEST_F(ExportCommandsTest, TableCancelOrUnreadableSourceLeavesTheWorkFile) {
    const std::string work = WorkFilePath();
    dir.write("data/VeltraMarlin/veltratemp.txt", "the pane");
    desk.answerFile(std::nullopt);
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    desk.answerFile(dir.file("missing.txt"));
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    EXPECT_EQ(test::TempDir::read(work), "the pane");
    EXPECT_TRUE(desk.callsOf(test::DesktopCall::Viewer).empty());
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("missing.txt"), std::string::npos);
}

TEST_F(ExportCommandsTest, DxfFromThePaneReportsSaveOk) {
    SetPane("P1,100,200,30,CODE\r\n");
    const std::string target = dir.file("out.dxf");
    ExportPaneAsDxf(*main, target, 1);
    const auto boxes = desk.callsOf(test::DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, target);
    EXPECT_EQ(boxes[0].caption, "Save OK");
    const std::string drawing = test::TempDir::read(target);
    EXPECT_EQ(drawing.rfind("0\nSECTION\n2\nENTITIES\n0\nPOINT\n8\npoint\n10\n200.000000\n", 0),
              0u);
    // The work file holds the pane with CR LF line ends.
    EXPECT_EQ(test::TempDir::read(WorkFilePath()), "P1,100,200,30,CODE\r\n");
}

TEST_F(ExportCommandsTest, DxfTargetThatCannotBeCreatedHasNoSaveOk) {
    SetPane("SS P7,1.500,TREE\r\nXYZ 100,200,30\r\n");
    ExportPaneAsDxf(*main, dir.file("no/folder/out.dxf"), 0);
    const auto boxes = desk.callsOf(test::DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].caption, "Save OK");
    EXPECT_NE(boxes[0].text.find("out.dxf"), std::string::npos);
}

}  // namespace
}  // namespace vm
