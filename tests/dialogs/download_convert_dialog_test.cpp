// The download conversion dialog (数据转换): modes and enabling, the six kept
// paths, browse, view and preview buttons, the runs with their messages and
// the question before files are replaced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "common/file_io.h"
#include "common/user_paths.h"
#include "dialogs/download_convert_dialog.h"
#include "dialogs/download_convert_paths.h"
#include "dialogs/preview_button.h"
#include "tests/support/recording_dialog_host.h"
#include "tests/support/temp_dir.h"

namespace vm::test {
namespace {

std::string* const kPaths[] = {&g_strMeasSource,  &g_strCoordExtractTarget, &g_strAngleDistTarget,
                               &g_strAngleTarget, &g_strCoordSource,        &g_strCoordTarget};

// The six kept paths start and end each test empty.
class DownloadConvertDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        for (std::string* path : kPaths)
            path->clear();
    }
    void TearDown() override {
        for (std::string* path : kPaths)
            path->clear();
        unsetenv("XDG_DATA_HOME");
    }
    RecordingDialogHost& Open(int mode) {
        dialog = std::make_unique<CDownloadConvertDlg>();
        dialog->m_nMode = std::int16_t(mode);
        host = std::make_unique<RecordingDialogHost>(*dialog);
        host->Open();
        return *host;
    }
    // The status box without the last line that stamps each run, and that line.
    std::string Status() const { return host->Text(1087).substr(0, StampAt()); }
    std::string Stamp() const {
        const size_t at = StampAt();
        return at == std::string::npos ? std::string() : host->Text(1087).substr(at + 2);
    }
    size_t StampAt() const { return host->Text(1087).rfind("\r\n（第 "); }
    std::set<int> DisabledIds() const {
        std::set<int> disabled;
        for (int id : {1071, 1072, 1080, 1067, 1077, 1073, 1081, 1068, 1074, 1082,
                       1069, 1075, 1083, 1078, 1076, 1084, 1079, 1085, 1,    2})
            if (!host->IsEnabled(id))
                disabled.insert(id);
        return disabled;
    }

    TempDir dir;
    std::unique_ptr<CDownloadConvertDlg> dialog;
    std::unique_ptr<RecordingDialogHost> host;
};

TEST_F(DownloadConvertDialogTest, eachModeAndOutputBoxSetsTheEnablingAndTheSources) {
    g_strMeasSource = "/old/meas.txt";  // every opening empties both sources
    g_strCoordSource = "/old/coord.txt";
    const std::set<int> untickedOutputs = {1082, 1074, 1083, 1075};
    RecordingDialogHost& h = Open(0);
    EXPECT_EQ(DisabledIds(), untickedOutputs);
    EXPECT_TRUE(g_strMeasSource.empty() && g_strCoordSource.empty());
    ASSERT_EQ(h.ItemCount(1077), 11);
    EXPECT_EQ(h.Text(1077), h.control(1077).items[0]);
    EXPECT_EQ(h.control(1077).items[10], "TOPCON(PC,PA,X,Y,Z)");  // by index, never sorted
    h.Click(1067);                                                // untick
    EXPECT_EQ(DisabledIds(), (std::set<int>{1081, 1073, 1077, 1082, 1074, 1083, 1075}));
    h.Click(1067);
    h.Click(1068);
    h.Click(1069);
    EXPECT_TRUE(DisabledIds().empty());

    Open(1);  // measurement file downloaded
    std::set<int> expected = {1071, 1072, 1078, 1076, 1079, 1084, 1085};
    expected.insert(untickedOutputs.begin(), untickedOutputs.end());
    EXPECT_EQ(DisabledIds(), expected);
    EXPECT_EQ(g_strMeasSource, WorkFilePath());
    EXPECT_EQ(host->Text(1071), "");

    Open(2);  // coordinate file: the layout list and 1079 stay usable
    expected = {1072, 1073, 1074, 1075, 1067, 1068, 1069, 1071, 1080, 1081, 1078, 1076, 1082, 1083};
    EXPECT_EQ(DisabledIds(), expected);
    EXPECT_EQ(g_strCoordSource, WorkFilePath());
    EXPECT_TRUE(g_strMeasSource.empty());
}

// The pane's kind, asked about before the dialog opens in its mode; another
// maker's file is named in the question and in the status box, and the format
// list beside the source overrides the guess.
TEST_F(DownloadConvertDialogTest, thePanesKindIsAskedAboutAndAnotherMakersFormatCanBeChosen) {
    const std::string gsi =
        "*110001+00000000000000P1 81..06+0000000020000000 82..06+0000000010000000 "
        "83..06+0000000000500000\r\n";
    const struct {
        std::string pane, question;
        int mode;
    } rows[] = {
        {"ATMOS 20,1013\r\nSS P1,1.600,TREE\r\n", "你打开的是测量文件???", 1},
        {"ATMOS 20,1013\r\nP7,1234567,2345678,12345,TREE\r\n", "你打开的是坐标文件???", 2},
        {gsi, "你打开的是Leica GSI-16文件???", 1},
        {"P1,100,200,300,\r\n", "", 0},  // no ATMOS line: nothing to ask, no dialog
    };
    for (const auto& r : rows) {
        const auto asked = AskBeforeConvertingPane(r.pane);
        EXPECT_EQ(asked ? asked->question : "", r.question);
        EXPECT_EQ(asked ? asked->mode : 0, r.mode) << r.question;
    }
    ASSERT_TRUE(WriteFileAtomic(WorkFilePath(), gsi));
    RecordingDialogHost& h = Open(1);
    EXPECT_EQ(Status(), "源文件格式：Leica GSI-16");
    h.Choose(1094, 7);
    EXPECT_EQ(Status(), "源文件格式：坐标文本（手动选择）");
    h.Choose(1094, 0);  // back to recognition
    h.fileAnswers = {dir.file("points.txt")};
    h.Click(1073);
    h.Click(kIdOk);
    EXPECT_EQ(TempDir::read(dir.file("points.txt")), "P1,1000.000,2000.000,50.000\r\n");
}

// View opens a kept path with the desktop's viewer, says when no run has
// written it yet or no viewer could open it; 预览 draws the named source.
TEST_F(DownloadConvertDialogTest, viewAndPreviewButtonsOpenTheNamedFilesOrSayWhyNot) {
    g_strCoordExtractTarget = dir.write("extract.txt", "x");
    g_strAngleDistTarget = dir.write("angledist.txt", "x");
    g_strAngleTarget = dir.write("angle.txt", "x");
    g_strCoordTarget = dir.write("coord.txt", "x");
    RecordingDialogHost& h = Open(0);
    for (int id : {1080, 1081, 1082, 1083, 1084, 1085}) {
        h.SetEnabled(id, true);
        h.Click(id);  // empty sources open nothing
    }
    EXPECT_EQ(h.viewedFiles,
              (std::vector<std::string>{g_strCoordExtractTarget, g_strAngleDistTarget,
                                        g_strAngleTarget, g_strCoordTarget}));
    EXPECT_TRUE(h.messages.empty());
    h.viewerOpens = false;
    h.Click(1085);
    g_strAngleTarget = dir.file("not-written.txt");
    h.Click(1083);
    EXPECT_EQ(h.messageTexts(),
              (std::vector<std::string>{"没有可以打开这个文件的程序：" + g_strCoordTarget,
                                        "文件不存在：" + g_strAngleTarget}));
    EXPECT_EQ(h.viewedFiles.size(), 5u) << "no viewer asked for a file that is not there";

    h.messages.clear();
    h.Click(kPreviewButtonId);
    h.Type(1078, "/typed/coords.txt");  // what 转换 would convert, left or not
    h.Click(kPreviewButtonId);
    h.Type(1071, "/typed/meas.txt");
    h.Click(kPreviewButtonId);  // both: refused as the run refuses them
    h.Type(1078, "");
    h.Click(kPreviewButtonId);
    EXPECT_EQ(h.messageTexts(),
              (std::vector<std::string>{kNothingToPreview, "两种格式的文件不可以同时转换"}));
    EXPECT_EQ(h.previews, (std::vector<std::pair<std::string, PointFileKind>>{
                              {"/typed/coords.txt", PointFileKind::Coordinates},
                              {"/typed/meas.txt", PointFileKind::Measurement}}));
}

TEST_F(DownloadConvertDialogTest, browseRecordsTheChosenPathCancelKeepsItTypingAndLeavingSetsIt) {
    RecordingDialogHost& h = Open(0);
    h.fileAnswers = {std::string("/data/meas.txt"), std::nullopt};
    h.Click(1072);
    h.Click(1072);
    EXPECT_EQ(g_strMeasSource, "/data/meas.txt");
    EXPECT_EQ(h.Text(1071), "/data/meas.txt");
    EXPECT_EQ(h.fileRequests.at(0).filter,
              "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|");

    h.Type(1071, "/typed/meas.txt");
    EXPECT_EQ(g_strMeasSource, "/data/meas.txt");  // not before the box is left
    h.Leave(1071);
    EXPECT_EQ(g_strMeasSource, "/typed/meas.txt");
    h.Type(1071, "");
    h.Leave(1071);
    EXPECT_TRUE(g_strMeasSource.empty());
    h.Type(1078, "/typed/coords.txt");  // 转换 with the focus still in the box
    h.Click(kIdOk);
    EXPECT_EQ(g_strCoordSource, "/typed/coords.txt");
}

// Both sources or none are refused with their messages; a run goes on off the
// window's thread with 转换 and 放弃 disabled, and the dialog stays open.
TEST_F(DownloadConvertDialogTest, runRefusesTwoSourcesOrNoneElseRunsOffTheWindowThread) {
    RecordingDialogHost& h = Open(0);
    h.Type(1071, dir.write("m.txt", ""));
    h.Type(1078, dir.write("c.txt", ""));
    h.Click(kIdOk);
    EXPECT_EQ(Status(), "两种格式的文件不可以同时转换");
    EXPECT_EQ(h.messageTexts(), (std::vector<std::string>{"两种格式的文件不可以同时转换"}));
    h.messages.clear();
    h.Type(1071, "");
    h.Type(1078, "");
    h.Click(kIdOk);
    EXPECT_EQ(Status(), "先选择一种要转换的文件");
    EXPECT_EQ(h.messageTexts(), (std::vector<std::string>{"没有文件可以转换"}));
    // Each run is stamped anew, so a second run that ends alike is seen to have run.
    EXPECT_EQ(Stamp().rfind("（第 2 次转换，", 0), 0u) << Stamp();
    EXPECT_EQ(RunStamp(12, 9, 5, 7), "（第 12 次转换，09:05:07）");
    // A ticked output without a target is named.
    h.Type(1071, dir.write("m.txt", ""));
    h.Click(1068);
    h.fileAnswers = {dir.file("coords.txt")};
    h.Click(1073);
    h.Click(kIdOk);
    EXPECT_EQ(Status(), "没有选择“角度距离”的保存位置，请先选择一个保存位置。");
    h.Type(1071, "");

    g_strCoordTarget = dir.file("out.txt");
    h.fileAnswers = {dir.write("coord.txt", "P1,1234567,2345678,12345,TREE\r\n")};
    h.Click(1076);
    h.holdWork = true;
    h.Click(kIdOk);
    EXPECT_TRUE(dialog->IsConverting());
    EXPECT_FALSE(h.IsEnabled(kIdOk));  // no second run on top of this one
    EXPECT_FALSE(h.IsEnabled(kIdCancel));
    EXPECT_TRUE(h.busy);
    EXPECT_EQ(h.Text(1087), "开始转换........") << "no stamp while it runs";
    h.RequestClose();  // closing waits for the run's result
    EXPECT_FALSE(h.result().has_value());

    h.FinishWork();
    EXPECT_TRUE(h.IsEnabled(kIdOk));
    EXPECT_FALSE(h.busy);
    EXPECT_EQ(Status(), "开始转换........\r\n原文件:" + g_strCoordSource +
                            "\r\n转换到:" + g_strCoordTarget + "转换保存成功!\r\n已写入 " +
                            g_strCoordTarget + "（1 个点）");
    EXPECT_EQ(TempDir::read(g_strCoordTarget), "P1,1234.567,2345.678,12.345\r\n");
    h.Click(kIdCancel);
    EXPECT_EQ(h.result(), kIdCancel);
}

// Each target shows beside its output; an existing one is confirmed once per
// run; an output without records is not created and the status names it.
TEST_F(DownloadConvertDialogTest, targetsAreShownConfirmedBeforeReplacingAndEmptyOutputsNamed) {
    RecordingDialogHost& h = Open(0);
    const std::string earlier = dir.write("angles.txt", "earlier");
    const std::string points = dir.write("points.txt", "earlier");
    h.fileAnswers = {
        dir.write("m.txt", "UNITS m,d\r\nSS P4,1.5,POLE\r\nXYZ 1000000,2000000,50000\r\n"), points,
        earlier};
    h.Click(1072);
    h.Click(1069);  // the angle table too: this file has no HV record
    h.Click(1073);
    h.Click(1075);
    EXPECT_EQ(h.Text(1090), points);
    EXPECT_EQ(h.control(1090).toolTip, points);
    EXPECT_EQ(h.Text(1092), earlier);
    EXPECT_EQ(h.Text(1091), "（未选择保存位置）");
    EXPECT_EQ(h.control(1091).toolTip, "");

    h.messageAnswers = {MsgResult::No};
    h.Click(kIdOk);
    ASSERT_EQ(h.messages.size(), 1u) << "one question for both files";
    EXPECT_NE(h.messages[0].text.find(points + "\n" + earlier), std::string::npos);
    EXPECT_EQ(h.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Status(), "转换已取消，没有替换任何文件");
    EXPECT_EQ(TempDir::read(points), "earlier") << "No replaces nothing";

    h.messageAnswers = {MsgResult::Yes};
    h.Click(kIdOk);
    EXPECT_EQ(h.messages.size(), 2u);
    EXPECT_EQ(TempDir::read(points), "P4,1000.000,2000.000,50.000\r\n");
    EXPECT_EQ(TempDir::read(earlier), "earlier") << "an output without records leaves it alone";
    EXPECT_EQ(Status(),  // no "saved" while an output is missing
              "已写入 " + points + "（1 个点）\r\n角度没有记录，未创建 " + earlier);

    dir.write("points.txt", "earlier");  // the targets are kept, and shown, for the next opening
    RecordingDialogHost& again = Open(0);
    EXPECT_EQ(again.Text(1090), points);
    again.Type(1071, dir.file("m.txt"));
    again.Click(kIdOk);
    EXPECT_EQ(TempDir::read(points), "P4,1000.000,2000.000,50.000\r\n");
}

}  // namespace
}  // namespace vm::test
