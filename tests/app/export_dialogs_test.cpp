// The column-order and DXF dialogs and their commands, headless: defaults, the
// check box, the stored type, the empty-path message, and the commands on a real
// main window with the scripted desktop and the per-user folders in a temp dir.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/column_order_dlg.h"
#include "app/control_id.h"
#include "app/dxf_dlg.h"
#include "app/main_dlg.h"
#include "common/ini_file.h"
#include "common/user_paths.h"
#include "export/coordinate_table.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

// The dialog members below need the application before they are constructed.
bool EnsureApplication() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
    return true;
}

template <class T = QComboBox>
T* Control(QWidget* dlg, int id) {
    return FindControl<T>(dlg, id);
}

// PT#, PCode, X, Y, Z as the lists show them (zero-based).
std::array<int, 5> Shown(QWidget* d) {
    return {Control(d, 1020)->currentIndex(), Control(d, 1091)->currentIndex(),
            Control(d, 1088)->currentIndex(), Control(d, 1089)->currentIndex(),
            Control(d, 1090)->currentIndex()};
}

TEST(ColumnOrderDlg, DefaultsCheckBoxAndOk) {
    EnsureApplication();
    CColumnOrderDlg dlg;
    dlg.OnInitDialog();
    auto* box = Control<QCheckBox>(&dlg, 1067);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("选择数据位置"));
    EXPECT_TRUE(box->isChecked() && Control(&dlg, 1091)->isEnabled());
    EXPECT_EQ(Shown(&dlg), (std::array<int, 5>{0, 1, 2, 3, 4}));

    Control(&dlg, 1091)->setCurrentIndex(4);
    box->click();  // cleared: the PCode list keeps its choice
    EXPECT_FALSE(Control(&dlg, 1091)->isEnabled());
    EXPECT_EQ(Shown(&dlg), (std::array<int, 5>{0, 4, 1, 2, 3}));
    Control(&dlg, 1089)->setCurrentIndex(1);
    Control<QAbstractButton>(&dlg, 1)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const ColumnOrder& o = dlg.m_order;
    EXPECT_EQ((std::array<int, 6>{o.m_nPtCol, o.m_nCodeCol, o.m_nXCol, o.m_nYCol, o.m_nZCol,
                                  o.m_bHasCode}),
              (std::array<int, 6>{0, 4, 1, 1, 3, 0}));

    box->click();  // ticked again
    EXPECT_EQ(Shown(&dlg), (std::array<int, 5>{0, 4, 2, 3, 4}));
    dlg.OnInitDialog();  // every opening starts from the defaults
    EXPECT_EQ(Shown(&dlg), (std::array<int, 5>{0, 1, 2, 3, 4}));
}

class DxfDlgTest : public ::testing::Test {
protected:
    int OpenWithStored(const char* stored) {
        if (stored)
            IniWriteString(ini, "tempvar", "filetype", stored);
        dlg.m_strIniPath = ini;
        dlg.OnInitDialog();
        return Control(&dlg, 1107)->currentIndex();
    }
    void Ok(const QString& path) {
        Control<QPlainTextEdit>(&dlg, 1100)->setPlainText(path);
        Control<QAbstractButton>(&dlg, 1)->click();
    }

    const bool m_app = EnsureApplication();
    test::TempDir dir;
    std::string ini = dir.file("ConfigFile.ini");
    test::ScriptedDesktop desk;
    CDxfDlg dlg;
};

TEST_F(DxfDlgTest, ListShowsTheStoredTypeOrNothing) {
    EXPECT_EQ(OpenWithStored(nullptr), -1);  // the default 2 is outside the list
    EXPECT_EQ(Control(&dlg, 1107)->itemText(1), QStringLiteral("坐标文件"));
    EXPECT_EQ(OpenWithStored("0"), 0);
    EXPECT_EQ(OpenWithStored("1"), 1);
    EXPECT_EQ(OpenWithStored("-1"), -1);
    EXPECT_EQ(Control(&dlg, 1107)->count(), 2);
}

TEST_F(DxfDlgTest, EmptyPathIsRefusedThenTheTypeIsStored) {
    OpenWithStored("0");
    Control(&dlg, 1107)->setCurrentIndex(-1);
    Ok(QString());
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"选择保存位置"});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(IniGetInt(ini, "tempvar", "filetype", 9), 0);

    Ok(QStringLiteral("/tmp/图.dxf"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strDxfPath, "/tmp/图.dxf");
    EXPECT_NE(test::TempDir::read(ini).find("filetype=-1"), std::string::npos);
}

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

    test::TempDir dir;
    test::ScriptedDesktop desk;
    std::unique_ptr<CMainDlg> main;
};

TEST_F(ExportCommandsTest, TableReplacesTheWorkFileOnlyWhenTheSourceIsRead) {
    const std::string work = WorkFilePath();
    dir.write("data/VeltraMarlin/veltratemp.txt", "the pane");
    desk.answerFile(std::nullopt);
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    desk.answerFile(dir.file("missing.txt"));
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    EXPECT_EQ(test::TempDir::read(work), "the pane");
    EXPECT_TRUE(desk.callsOf(test::DesktopCall::Viewer).empty());
    EXPECT_NE(desk.messages().at(0).find("missing.txt"), std::string::npos);

    desk.answerFile(dir.write("src.txt", "1,TREE,100.5,200.25,30\r\n"));
    PrintCoordinateTable(*main, DefaultColumnOrder(true));
    EXPECT_EQ(desk.callsOf(test::DesktopCall::Viewer).at(0).path, work);
    EXPECT_EQ(test::TempDir::read(work),
              BuildCoordinateTable("1,TREE,100.5,200.25,30", DefaultColumnOrder(true)));
}

TEST_F(ExportCommandsTest, DxfFromThePaneSaysSaveOkOnlyWhenWritten) {
    main->m_strText = "P1,100,200,30,CODE\r\n";
    main->UpdateData(false);
    ExportPaneAsDxf(*main, dir.file("no/folder/out.dxf"), 1);
    ExportPaneAsDxf(*main, dir.file("out.dxf"), -1);  // any type but 0: coordinates
    const auto boxes = desk.callsOf(test::DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].caption, "Save OK");
    EXPECT_NE(boxes[0].text.find("no/folder/out.dxf"), std::string::npos);
    EXPECT_EQ(boxes[1].caption, "Save OK");
    EXPECT_EQ(boxes[1].text, dir.file("out.dxf"));
    EXPECT_NE(test::TempDir::read(dir.file("out.dxf")).find("\n20\n100.000000\n"),
              std::string::npos);
    EXPECT_EQ(test::TempDir::read(WorkFilePath()), "P1,100,200,30,CODE\r\n");
}

}  // namespace
}  // namespace vm
