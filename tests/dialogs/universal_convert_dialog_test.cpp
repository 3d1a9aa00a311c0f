// The universal conversion dialog's description, driven as a user would: the
// opening state and stored layouts, the separator pairs, runs and their
// messages, the start number hand-back, browse write-back, refused numbers,
// the preview table and the "预览" button.
#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "dialogs/universal/universal_convert_dialog.h"
#include "tests/support/recording_dialog_host.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

class UniversalConvertDialogTest : public ::testing::Test {
protected:
    void Open() {
        dialog = std::make_unique<UniversalConvertDialog>(dir.file("ConfigFile.ini"));
        host = std::make_unique<RecordingDialogHost>(*dialog);
        host->Open();
    }
    std::string Shown(int list) { return host->Text(list); }
    std::vector<std::string> Messages() const { return host->messageTexts(); }

    TempDir dir;
    std::unique_ptr<UniversalConvertDialog> dialog;
    std::unique_ptr<RecordingDialogHost> host;
};

constexpr int kAllLists[] = {1046, 1039, 1040, 1041, 1047, 1050,
                             1042, 1043, 1044, 1045, 1048, 1052};

TEST_F(UniversalConvertDialogTest, openingShowsDefaultsOrTheStoredLayoutNeverLastRunsOptions) {
    Open();
    for (const int id : kAllLists)
        EXPECT_EQ(Shown(id), "1") << id;
    EXPECT_TRUE(host->Checked(1057) && host->Checked(1061));
    for (const int id : {1058, 1062, 1059, 1049, 1051})
        EXPECT_FALSE(host->Checked(id)) << id;
    for (const int id : {1043, 1052, 1068})
        EXPECT_FALSE(host->IsEnabled(id)) << id;
    const std::pair<int, const char*> boxes[] = {
        {1068, "-1"}, {1065, "0"}, {1066, "0"}, {1067, "0"}, {1069, "1"}, {1070, "1"}, {1071, "1"}};
    for (const auto& [id, shown] : boxes)
        EXPECT_EQ(host->Text(id), shown) << id;

    // Separator boxes act as radio pairs: a ticked box stays ticked when clicked.
    host->Click(1057);
    EXPECT_TRUE(host->Checked(1057));
    host->Click(1058);
    host->Click(1062);
    EXPECT_FALSE(host->Checked(1057) || host->Checked(1061));
    EXPECT_EQ(dialog->RunFromControls(*host).sourceSeparator, ' ');
    EXPECT_EQ(dialog->RunFromControls(*host).targetSeparator, ' ');
    host->Click(1059);
    host->Type(1065, "12.5");
    host->Leave(1065);

    const std::string ini = dir.file("ConfigFile.ini");
    IniWriteString(ini, "OldConfig", "OCheck", "1");
    IniWriteString(ini, "OldConfig", "OX", "3");
    IniWriteString(ini, "NewConfig", "NCheck", "1");
    IniWriteString(ini, "NewConfig", "NOrder", "5");
    IniWriteString(ini, "NewConfig", "NY", "x");
    Open();
    EXPECT_TRUE(host->Checked(1057) && !host->Checked(1058) && !host->Checked(1059));
    EXPECT_EQ(host->Text(1065), "0");
    EXPECT_EQ(Shown(1040), "4");
    EXPECT_EQ(Shown(1052), "6");
    EXPECT_EQ(Shown(1045), "1");
    EXPECT_TRUE(host->IsEnabled(1043) && host->IsEnabled(1052) && host->IsEnabled(1068));
    host->Click(1049);
    host->Click(1051);
    EXPECT_FALSE(host->IsEnabled(1043) || host->IsEnabled(1052) || host->IsEnabled(1068));
}

TEST_F(UniversalConvertDialogTest, runConvertsStoresTheLayoutAndReportsEachFailure) {
    Open();
    const int source[] = {1046, 1039, 1040, 1041, 1047, 1050};
    const int target[] = {1042, 1043, 1044, 1045, 1048, 1052};
    const int field[] = {0, 1, 3, 2, 4, 5};  // P 1, attribute 2, Y 3, X 4, Z 5, sequence 6
    for (int i = 0; i < 6; ++i) {
        host->Choose(source[i], i);
        host->Choose(target[i], field[i]);
    }
    host->Click(1049);
    // While the run is off the window's thread, "转换" and "退出" wait and the
    // close box is refused.
    host->holdWork = true;
    host->Click(kIdOk);
    EXPECT_TRUE(dialog->IsRunning() && host->busy);
    EXPECT_FALSE(host->IsEnabled(kIdOk) || host->IsEnabled(kIdCancel));
    host->RequestClose();
    EXPECT_FALSE(host->result());
    host->holdWork = false;
    host->FinishWork();
    EXPECT_EQ(Messages(), std::vector<std::string>{"选择要转换的文件!!!"});
    EXPECT_EQ(host->messages[0].caption, "");  // the program's name
    EXPECT_EQ(LoadLayoutSettings(dir.file("ConfigFile.ini")), dialog->LayoutFromControls(*host));
    EXPECT_TRUE(host->IsEnabled(kIdOk) && host->IsEnabled(kIdCancel) && !host->busy);

    host->messages.clear();
    host->Type(1055, dir.file("missing.txt"));
    host->Type(1056, dir.write("out.txt", "keep"));
    host->Click(kIdOk);
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_NE(host->messages[0].text.find("无法读取文件"), std::string::npos);
    EXPECT_EQ(host->messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "keep");

    host->messages.clear();
    host->Type(1055, dir.write("in.txt", "12,K3,512.345,502.1,45.6\r\n"));
    host->Type(1065, "500000.123");
    host->Click(1059);
    host->Click(kIdOk);
    ASSERT_EQ(Messages(), std::vector<std::string>{"转换成功"});
    EXPECT_EQ(host->messages[0].caption, "提示：");
    // The grid constant keeps its millimetres and is shown as typed.
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "1\r\n12,K3,502.100,500512.468,45.600\r\n");
    EXPECT_EQ(host->Text(1065), "500000.123");
    host->Click(kIdCancel);
    EXPECT_EQ(host->result(), kIdCancel);
}

TEST_F(UniversalConvertDialogTest, advancedStartNumberShowsAfterABrowseAndIsLostByLeavingABox) {
    Open();
    host->Choose(1046, 1);  // point number from field 2, where a record without commas lands
    host->Choose(1052, 1);  // sequence number to field 2
    for (const int unused : {1040, 1041, 1047, 1043, 1044, 1045, 1048})
        host->Choose(unused, 5);
    host->Click(1051);
    host->Type(1068, "1");
    host->Type(1055, dir.write("in.txt", "A\nB\nC\n"));
    host->Type(1056, dir.file("out.txt"));
    host->Click(kIdOk);
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "A,1\r\nB,2\r\nC,3\r\n");
    EXPECT_EQ(host->Text(1068), "1");  // the box does not show the advanced counter yet
    EXPECT_EQ(dialog->m_nStartNumber, 4);

    host->Type(1066, "7.25");
    host->fileAnswers.push_back(dir.file("in.txt"));
    host->Click(1053);  // a browse writes every member back over typed text
    EXPECT_EQ(host->Text(1068), "4");
    EXPECT_EQ(host->Text(1066), "0");
    EXPECT_EQ(host->fileRequests.at(0).filter,
              "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|");
    host->Click(kIdOk);
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "A,4\r\nB,5\r\nC,6\r\n");

    host->Leave(1066);  // leaving a number box takes the box's value back
    host->Click(kIdOk);
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "A,4\r\nB,5\r\nC,6\r\n");

    // Choosing a target creates it empty at once, replacing what it held.
    host->fileAnswers.push_back(dir.file("out.txt"));
    host->Click(1054);
    EXPECT_EQ(host->Text(1056), dir.file("out.txt"));
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "");
    EXPECT_TRUE(host->fileRequests.at(1).confirmOverwrite);

    // The 打开 buttons hand the named files to the viewer, and say so when none starts.
    host->viewerOpens = false;
    host->Click(1072);
    EXPECT_EQ(host->viewedFiles, std::vector<std::string>{dir.file("in.txt")});
    EXPECT_EQ(host->messages.back().text, kNoViewerMessage + dir.file("in.txt"));
}

TEST_F(UniversalConvertDialogTest, refusedNumberStopsTheExchangeThereAndTheRunGoesOn) {
    Open();
    host->Type(1065, "2");
    host->Type(1066, "abc");
    host->Type(1069, "5");  // after 1066 in the exchange: not taken
    host->Click(kIdOk);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"请输入一个数字。", "选择要转换的文件!!!"}));
    EXPECT_EQ(host->messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(host->focus, 1066);
    EXPECT_EQ(dialog->m_fAddX, 2);
    EXPECT_EQ(dialog->m_fMulX, 1);
    EXPECT_EQ(host->Text(1069), "1");  // the members are written back

    host->messages.clear();
    host->Type(1068, "1.5");
    host->Leave(1068);
    host->Leave(1055);  // not a number box: no exchange
    EXPECT_EQ(Messages(), std::vector<std::string>{"请输入一个整数。"});
}

// The table shows what the first records become, with the empty column the
// layout adds marked, follows a changed list, and reads the boxes as typed;
// "预览" draws the target (read in the target layout: tests/app/preview_test).
TEST_F(UniversalConvertDialogTest, previewTableFollowsTheControlsAndMarksEmptyColumns) {
    Open();
    const int table = UniversalConvertDialog::kPreviewTableId;
    EXPECT_EQ(host->control(table).header, std::vector<std::string>{"原记录"});
    host->Type(1055, dir.write("s.txt", "12,K3,512.345,502.1,45.6\r\n\xB5\xE3,1,2,3,4\r\n"));
    const std::pair<int, int> lists[] = {{1040, 2}, {1041, 3}, {1047, 4}, {1044, 1},
                                         {1045, 2}, {1048, 4}, {1043, 5}, {1052, 5}};
    for (const auto& [list, index] : lists)
        host->Choose(list, index);
    RecordedControl& shown = host->control(table);
    EXPECT_EQ(shown.header, (std::vector<std::string>{"原记录", "1", "2", "3", "4", "5"}));
    ASSERT_EQ(shown.rows.size(), size_t(UniversalConvertDialog::kPreviewRecords));
    EXPECT_EQ(shown.rows[0], (std::vector<std::string>{"12,K3,512.345,502.1,45.6", "12", "512.345",
                                                       "502.100", "45.600", "(空)"}));
    EXPECT_EQ(shown.rows[1].at(0), "点,1,2,3,4") << "GBK records shown as text";
    EXPECT_TRUE(shown.rows[2].empty());
    EXPECT_EQ(shown.marks.size(), 2u);
    EXPECT_EQ(shown.marks.at({0, 5}), UniversalConvertDialog::kEmptyCellNote);

    host->Type(1065, "1000");  // typed constants show at once; a half-typed one is skipped
    EXPECT_EQ(host->control(table).rows[0].at(2), "1512.345");
    host->Type(1065, "1e");
    EXPECT_EQ(host->control(table).rows[0].at(2), "512.345");
    EXPECT_TRUE(host->messages.empty());

    host->Type(1065, "0");
    host->Click(kPreviewButtonId);  // "预览" draws the target file
    EXPECT_EQ(Messages(), std::vector<std::string>{"选择要保存的文件!!!"});
    host->Type(1056, dir.file("t.txt"));
    host->Click(kPreviewButtonId);
    EXPECT_EQ(host->previews.at(0), std::make_pair(dir.file("t.txt"), PointFileKind::Layout));
}

}  // namespace
}  // namespace vm
