// The column-order and DXF dialogs' descriptions: defaults, the check box, the
// stored type and boxes, and the empty-path refusal.
#include <gtest/gtest.h>

#include <array>

#include "common/ini_file.h"
#include "dialogs/exports/column_order_dialog.h"
#include "dialogs/exports/dxf_dialog.h"
#include "tests/support/recording_dialog_host.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

// PT#, PCode, X, Y, Z as the lists show them (zero-based).
std::array<int, 5> Shown(const RecordingDialogHost& host) {
    std::array<int, 5> shown{};
    const int lists[] = {1020, 1091, 1088, 1089, 1090};
    for (int i = 0; i < 5; ++i)
        shown[i] = host.Selection(lists[i]);
    return shown;
}

TEST(ColumnOrderDialog, defaultsCheckBoxAndOk) {
    ColumnOrderDialog dialog;
    RecordingDialogHost host(dialog);
    host.Open();
    EXPECT_EQ(host.title, "选择数据位置");
    EXPECT_EQ(host.ItemCount(1090), 5);
    EXPECT_TRUE(host.Checked(1067) && host.IsEnabled(1091));
    EXPECT_EQ(Shown(host), (std::array<int, 5>{0, 1, 2, 3, 4}));

    host.Choose(1091, 4);
    host.Click(1067);  // cleared: the PCode list keeps its choice
    EXPECT_FALSE(host.IsEnabled(1091));
    EXPECT_EQ(Shown(host), (std::array<int, 5>{0, 4, 1, 2, 3}));
    host.Choose(1089, 1);
    host.Click(kIdOk);
    EXPECT_EQ(host.result(), kIdOk);
    const ColumnOrder& o = dialog.m_order;
    EXPECT_EQ((std::array<int, 6>{o.m_nPtCol, o.m_nCodeCol, o.m_nXCol, o.m_nYCol, o.m_nZCol,
                                  o.m_bHasCode}),
              (std::array<int, 6>{0, 4, 1, 1, 3, 0}));
    host.Click(1067);  // ticked again
    EXPECT_EQ(Shown(host), (std::array<int, 5>{0, 4, 2, 3, 4}));

    RecordingDialogHost again(dialog);  // every opening starts from the defaults
    again.Open();
    EXPECT_EQ(Shown(again), (std::array<int, 5>{0, 1, 2, 3, 4}));
}

// The type list shows the stored type, or nothing when it is outside the list
// (the default 2 is), and the two check boxes start as remembered; an empty
// path is refused and stores nothing, then OK stores the type and the boxes.
TEST(DxfDialog, storedChoicesEmptyPathAndBrowse) {
    TempDir dir;
    const std::string ini = dir.file("ConfigFile.ini");
    IniWriteString(ini, "Parametersetting", "cadformat", "1");
    DxfDialog dialog(ini);
    for (const auto& [stored, shown] : {std::pair{"", -1}, {"-1", -1}, {"1", 1}, {"0", 0}}) {
        if (*stored)
            IniWriteString(ini, "tempvar", "filetype", stored);
        RecordingDialogHost host(dialog);
        host.Open();
        EXPECT_EQ(host.Selection(1107), shown) << stored;
    }
    RecordingDialogHost host(dialog);
    host.Open();
    EXPECT_EQ(host.title, "For *.DXF");
    EXPECT_EQ(host.control(1107).items, (std::vector<std::string>{"测量文件", "坐标文件"}));
    EXPECT_TRUE(host.Checked(1108));
    EXPECT_FALSE(host.Checked(1109));
    host.Click(1108);
    host.Click(1109);

    host.Choose(1107, -1);
    host.Click(kIdOk);  // empty path
    EXPECT_EQ(host.messages.at(0).text, "选择保存位置");
    EXPECT_FALSE(host.result());
    EXPECT_EQ(IniGetInt(ini, "tempvar", "filetype", 9), 0);  // not stored when refused
    EXPECT_EQ(IniGetInt(ini, "Parametersetting", "cadformat", 9), 1);

    host.fileAnswers.push_back(std::nullopt);
    host.Click(1106);  // cancelled: the box stays empty
    host.fileAnswers.push_back("/tmp/图.dxf");
    host.Click(1106);
    EXPECT_EQ(host.fileRequests.at(1).filter, "*.dxf|*.dxf|");
    EXPECT_TRUE(host.fileRequests.at(1).confirmOverwrite);
    EXPECT_EQ(host.Text(1100), "/tmp/图.dxf");
    host.Click(kIdOk);
    EXPECT_EQ(host.result(), kIdOk);
    EXPECT_EQ(dialog.m_strDxfPath, "/tmp/图.dxf");
    EXPECT_NE(TempDir::read(ini).find("filetype=-1"), std::string::npos);
    EXPECT_FALSE(dialog.m_options.cadReady);
    EXPECT_TRUE(dialog.m_options.metres);
    EXPECT_EQ(IniGetInt(ini, "Parametersetting", "cadformat", 9), 0);
    EXPECT_EQ(IniGetInt(ini, "Parametersetting", "metres", 9), 1);
}

}  // namespace
}  // namespace vm
