// The DXF dialog, headless: the stored type, the empty-path message, Browse.
#include "app/dxf_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "app/control_id.h"
#include "common/ini_file.h"
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

class DxfDlgTest : public ::testing::Test {
protected:
    const bool m_app = EnsureApplication();

    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
        dlg.m_strIniPath = ini;
    }

    int OpenWithStored(const char* stored) {
        if (stored)
            IniWriteString(ini, "tempvar", "filetype", stored);
        dlg.OnInitDialog();
        return FindControl<QComboBox>(&dlg, 1107)->currentIndex();
    }
    void TypePath(const QString& path) {
        FindControl<QPlainTextEdit>(&dlg, 1100)->setPlainText(path);
    }

    test::TempDir dir;
    std::string ini = dir.file("ConfigFile.ini");
    test::ScriptedDesktop desk;
    CDxfDlg dlg;
};

TEST_F(DxfDlgTest, ListShowsTheStoredTypeOrNothing) {
    EXPECT_EQ(OpenWithStored(nullptr), -1);  // default 2 is outside the list
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("For *.DXF"));
    auto* types = FindControl<QComboBox>(&dlg, 1107);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), QStringLiteral("测量文件"));
    EXPECT_EQ(types->itemText(1), QStringLiteral("坐标文件"));
    EXPECT_EQ(OpenWithStored("0"), 0);
    EXPECT_EQ(OpenWithStored("1"), 1);
    EXPECT_EQ(OpenWithStored("-1"), -1);
    EXPECT_EQ(types->count(), 2);  // opening again does not add entries
}

TEST_F(DxfDlgTest, EmptyPathIsRefusedAndNothingIsStored) {
    OpenWithStored("0");
    FindControl<QComboBox>(&dlg, 1107)->setCurrentIndex(1);
    FindControl<QAbstractButton>(&dlg, 1)->click();
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"选择保存位置"});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(IniGetInt(ini, "tempvar", "filetype", 9), 0);
}

TEST_F(DxfDlgTest, OkStoresTheChosenTypeEvenNone) {
    OpenWithStored(nullptr);
    TypePath(QStringLiteral("/tmp/图.dxf"));
    FindControl<QAbstractButton>(&dlg, 1)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strDxfPath, "/tmp/图.dxf");
    EXPECT_EQ(dlg.m_nFileType, -1);
    EXPECT_NE(test::TempDir::read(ini).find("filetype=-1"), std::string::npos);
    EXPECT_TRUE(desk.messages().empty());

    CDxfDlg next;
    next.m_strIniPath = ini;
    next.OnInitDialog();
    FindControl<QComboBox>(&next, 1107)->setCurrentIndex(0);
    FindControl<QPlainTextEdit>(&next, 1100)->setPlainText(QStringLiteral("a.dxf"));
    next.OnOK();
    EXPECT_EQ(IniGetInt(ini, "tempvar", "filetype", 9), 0);
}

TEST_F(DxfDlgTest, BrowsePutsTheChosenPathInTheBox) {
    OpenWithStored(nullptr);
    desk.answerFile(std::string("/data/site.dxf"));
    FindControl<QAbstractButton>(&dlg, 1106)->click();
    const auto saves = desk.callsOf(test::DesktopCall::SaveFile);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].request.filter, "*.dxf|*.dxf|");
    EXPECT_EQ(saves[0].request.defaultExt, "");
    EXPECT_TRUE(saves[0].request.confirmOverwrite);
    EXPECT_EQ(FindControl<QPlainTextEdit>(&dlg, 1100)->toPlainText(),
              QStringLiteral("/data/site.dxf"));
    // Cancelling the file dialog keeps what the box held.
    desk.answerFile(std::nullopt);
    FindControl<QAbstractButton>(&dlg, 1106)->click();
    EXPECT_EQ(FindControl<QPlainTextEdit>(&dlg, 1100)->toPlainText(),
              QStringLiteral("/data/site.dxf"));
}

}  // namespace
}  // namespace vm
