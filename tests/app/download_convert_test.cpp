// The download conversion dialog (数据转换) and command 1026 that opens it from
// the main window: modes and enabling, the six kept paths, browse and view
// buttons, the runs and their messages, the confirmation questions, a hover hint.
#include "tests/app/main_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include <functional>
#include <set>

#include <unistd.h>

#include "app/conversion/download_convert_dlg.h"
#include "app/conversion/download_convert_paths.h"
#include "app/main_window/main_dlg_commands.h"
#include "app/preview/convert_preview.h"
#include "app/preview/point_preview_dlg.h"
#include "common/file_io.h"
#include "common/user_paths.h"

namespace vm::test {
namespace {

const char kMeasurementPane[] =
    "UNITS m,d\r\nATMOS 20,1013\r\nSTN A,1.500,\r\nSS P1,1.600,TREE\r\nSD 1234500,900000,100000\r\n"
    "SS P4,1.500,POLE\r\nXYZ 1000000,2000000,50000\r\n";
const char kCoordinatePane[] = "ATMOS 20,1013\r\nP7,1234567,2345678,12345,TREE\r\n";

// The six kept paths start and end each test empty.
class DownloadConvertTest : public MainWindowTest {
protected:
    static void ClearPaths() {
        for (std::string* path : {&g_strMeasSource, &g_strCoordExtractTarget, &g_strAngleDistTarget,
                                  &g_strAngleTarget, &g_strCoordSource, &g_strCoordTarget})
            path->clear();
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        ClearPaths();
    }
    void TearDown() override {
        ClearPaths();
        MainWindowTest::TearDown();
    }

    // Runs command 1026; when its dialog opens, act on it, then close it.
    // Returns the mode the dialog opened in, or -1 when no dialog opened.
    int RunCommand(const std::function<void(CDownloadConvertDlg&)>& act = {}) {
        int mode = -1;
        QTimer timer;  // ends with this call, so it never fires into a later test
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = Window().findChild<CDownloadConvertDlg*>();
            if (!dialog || !dialog->isVisible())
                return;
            timer.stop();
            mode = dialog->m_nMode;
            if (act)
                act(*dialog);
            dialog->reject();
        });
        timer.start();
        OnDownloadConvert(Window());
        return mode;
    }
};

std::unique_ptr<CDownloadConvertDlg> Opened(int mode) {
    auto dialog = std::make_unique<CDownloadConvertDlg>();
    dialog->m_nMode = static_cast<std::int16_t>(mode);
    dialog->OnInitDialog();
    return dialog;
}

std::set<int> DisabledIds(const QWidget& dialog) {
    std::set<int> disabled;
    for (int id : {1071, 1072, 1080, 1067, 1077, 1073, 1081, 1068, 1074, 1082,
                   1069, 1075, 1083, 1078, 1076, 1084, 1079, 1085, 1,    2})
        if (!Ctl(dialog, id)->isEnabled())
            disabled.insert(id);
    return disabled;
}

// The status box without the last line that stamps each run.
std::string Status(const QWidget& dialog) {
    const std::string text = Ctl<QPlainTextEdit>(dialog, 1087)->toPlainText().toStdString();
    const size_t stamp = text.rfind("\n（第 ");
    return stamp == std::string::npos ? text : text.substr(0, stamp);
}

std::string RunStampShown(const QWidget& dialog) {
    const std::string text = Ctl<QPlainTextEdit>(dialog, 1087)->toPlainText().toStdString();
    const size_t stamp = text.rfind("\n（第 ");
    return stamp == std::string::npos ? std::string() : text.substr(stamp + 1);
}

// Lets the event loop run until the dialog's conversion has ended.
bool WaitForRun(const CDownloadConvertDlg& dialog) {
    return RunEventsUntil([&] { return !dialog.IsConverting(); }, 20000);
}

TEST_F(DownloadConvertTest, EachModeAndOutputBoxSetsTheEnablingAndTheSources) {
    g_strMeasSource = "/old/meas.txt";  // every opening empties both sources
    g_strCoordSource = "/old/coord.txt";
    const std::set<int> untickedOutputs = {1082, 1074, 1083, 1075};
    auto dialog = Opened(0);
    EXPECT_EQ(DisabledIds(*dialog), untickedOutputs);
    EXPECT_TRUE(g_strMeasSource.empty() && g_strCoordSource.empty());
    auto* layouts = Ctl<QComboBox>(*dialog, 1077);
    ASSERT_EQ(layouts->count(), 11);
    EXPECT_EQ(layouts->itemText(10), "TOPCON(PC,PA,X,Y,Z)");  // by index, never sorted
    Click(*dialog, 1067);                                     // untick
    EXPECT_EQ(DisabledIds(*dialog), (std::set<int>{1081, 1073, 1077, 1082, 1074, 1083, 1075}));
    Click(*dialog, 1067);
    Click(*dialog, 1068);
    Click(*dialog, 1069);
    EXPECT_TRUE(DisabledIds(*dialog).empty());

    dialog = Opened(1);  // measurement file downloaded
    std::set<int> expected = {1071, 1072, 1078, 1076, 1079, 1084, 1085};
    expected.insert(untickedOutputs.begin(), untickedOutputs.end());
    EXPECT_EQ(DisabledIds(*dialog), expected);
    EXPECT_EQ(g_strMeasSource, WorkFilePath());
    EXPECT_TRUE(Ctl<QLineEdit>(*dialog, 1071)->text().isEmpty());

    dialog = Opened(2);  // coordinate file: the layout list and 1079 stay usable
    expected = {1072, 1073, 1074, 1075, 1067, 1068, 1069, 1071, 1080, 1081, 1078, 1076, 1082, 1083};
    EXPECT_EQ(DisabledIds(*dialog), expected);
    EXPECT_EQ(g_strCoordSource, WorkFilePath());
    EXPECT_TRUE(g_strMeasSource.empty());
}

TEST_F(DownloadConvertTest, ViewButtonsOpenTheKeptTargetsOrSayWhyNot) {
    g_strCoordExtractTarget = dir.write("extract.txt", "x");
    g_strAngleDistTarget = dir.write("angledist.txt", "x");
    g_strAngleTarget = dir.write("angle.txt", "x");
    g_strCoordTarget = dir.write("coord.txt", "x");
    auto dialog = Opened(0);
    for (int id : {1080, 1081, 1082, 1083, 1084, 1085}) {
        Ctl(*dialog, id)->setEnabled(true);
        Click(*dialog, id);  // empty sources open nothing
    }
    std::vector<std::string> viewed;
    for (const DesktopCall& call : desk.callsOf(DesktopCall::Viewer))
        viewed.push_back(call.path);
    EXPECT_EQ(viewed, (std::vector<std::string>{g_strCoordExtractTarget, g_strAngleDistTarget,
                                                g_strAngleTarget, g_strCoordTarget}));
    EXPECT_TRUE(desk.messages().empty());

    desk.setLaunchResult(false);  // no viewer at all: the user is told
    Click(*dialog, 1085);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find(g_strCoordTarget), std::string::npos);

    // A target no run has written yet: said so, and no viewer is asked.
    g_strAngleTarget = dir.file("not-written.txt");
    desk.clearCalls();
    Click(*dialog, 1083);
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"文件不存在：" + g_strAngleTarget});
    EXPECT_TRUE(desk.callsOf(DesktopCall::Viewer).empty());
}

TEST_F(DownloadConvertTest, BrowseRecordsTheChosenPathCancelKeepsItTypingAndLeavingSetsIt) {
    auto dialog = Opened(0);
    desk.answerFile(std::string("/data/meas.txt"));
    desk.answerFile(std::nullopt);
    Click(*dialog, 1072);
    Click(*dialog, 1072);
    EXPECT_EQ(g_strMeasSource, "/data/meas.txt");
    auto* measBox = Ctl<QLineEdit>(*dialog, 1071);
    EXPECT_EQ(measBox->text(), "/data/meas.txt");
    EXPECT_EQ(desk.callsOf(DesktopCall::OpenFile).at(0).request.filter,
              "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|");

    measBox->setText("/typed/meas.txt");
    EXPECT_EQ(g_strMeasSource, "/data/meas.txt");  // not before the box is left
    Leave(*dialog, 1071);
    EXPECT_EQ(g_strMeasSource, "/typed/meas.txt");
    measBox->clear();
    Leave(*dialog, 1071);
    EXPECT_TRUE(g_strMeasSource.empty());
}

// Both sources or none are refused with their messages; a run goes on off the
// window's thread and the dialog stays open.
TEST_F(DownloadConvertTest, RunRefusesTwoSourcesOrNoneElseGoesOnOffTheWindowThread) {
    std::string source;
    for (int i = 1; i <= 20000; ++i)
        source += "P" + std::to_string(i) + ",1234567,2345678,12345,TREE\r\n";
    auto dialog = Opened(0);
    dialog->show();
    g_strMeasSource = dir.write("m.txt", "");
    g_strCoordSource = dir.write("c.txt", "");
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(Status(*dialog), "两种格式的文件不可以同时转换");
    EXPECT_EQ(desk.messages(), (std::vector<std::string>{"两种格式的文件不可以同时转换"}));
    desk.clearCalls();
    g_strMeasSource.clear();
    g_strCoordSource.clear();
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(Status(*dialog), "先选择一种要转换的文件");
    EXPECT_EQ(desk.messages(), (std::vector<std::string>{"没有文件可以转换"}));
    // Each run is stamped anew, so a second run that ends alike is seen to have run.
    EXPECT_EQ(RunStampShown(*dialog).rfind("（第 2 次转换，", 0), 0u) << RunStampShown(*dialog);
    EXPECT_EQ(RunStamp(12, 9, 5, 7), "（第 12 次转换，09:05:07）");

    // A ticked output without a target is named.
    Ctl<QLineEdit>(*dialog, 1071)->setText(QString::fromStdString(dir.write("m.txt", "")));
    Leave(*dialog, 1071);
    Click(*dialog, 1068);
    desk.answerFile(dir.file("coords.txt"));
    Click(*dialog, 1073);
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(Status(*dialog), "没有选择“角度距离”的保存位置，请先选择一个保存位置。");
    Ctl<QLineEdit>(*dialog, 1071)->clear();
    Leave(*dialog, 1071);

    g_strCoordTarget = dir.file("out.txt");
    desk.answerFile(dir.write("coord.txt", source));
    Click(*dialog, 1076);

    Click(*dialog, 1);
    EXPECT_TRUE(dialog->IsConverting());
    EXPECT_FALSE(Ctl(*dialog, 1)->isEnabled());  // no second run on top of this one
    EXPECT_EQ(Status(*dialog), "开始转换........");
    dialog->reject();  // closing waits for the run's result
    EXPECT_TRUE(dialog->isVisible());

    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_TRUE(Ctl(*dialog, 1)->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Status(*dialog), "开始转换........\n原文件:" + g_strCoordSource +
                                   "\n转换到:" + g_strCoordTarget + "转换保存成功!\n已写入 " +
                                   g_strCoordTarget + "（20000 个点）");
    EXPECT_EQ(TempDir::read(g_strCoordTarget).substr(0, 30), "P1,1234.567,2345.678,12.345\r\nP");
}

TEST_F(DownloadConvertTest, HoverOverADisabledControlShowsItsHintBesideItUntilTheMouseLeaves) {
    auto dialog = Opened(1);  // 1071 is disabled in this mode
    dialog->show();
    QWidget* box = Ctl(*dialog, 1071);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    ASSERT_TRUE(dialog->hints().box()->isVisible());
    EXPECT_EQ(dialog->hints().box()->item().m_lines,
              (std::vector<std::string>{"要转换的测量文件名"}));
    EXPECT_FALSE(dialog->hints().box()->geometry().intersects(box->geometry()));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(dialog.get(), &leave);
    EXPECT_FALSE(dialog->hints().box()->isVisible());
}

TEST_F(DownloadConvertTest, MeasurementPaneConfirmedConvertsTheWorkFile) {
    ShowInPane(kMeasurementPane);
    desk.answerMessage(MsgResult::Yes);
    const std::string target = dir.file("points.txt");
    std::string status;
    const int mode = RunCommand([&](CDownloadConvertDlg& dialog) {
        desk.answerFile(target);
        Click(dialog, 1073);
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
        status = dialog.m_strStatus;
        Click(dialog, kPreviewButtonId);  // draws what was just converted
        auto* preview = dialog.findChild<CPointPreviewDlg*>();
        ASSERT_NE(preview, nullptr);
        ASSERT_EQ(preview->Points().points.size(), 1u);
        EXPECT_EQ(preview->Points().points[0].name, "P4");
    });
    EXPECT_EQ(mode, 1);
    ASSERT_EQ(desk.callsOf(DesktopCall::Message).size(), 1u);
    const DesktopCall question = desk.callsOf(DesktopCall::Message)[0];
    EXPECT_EQ(question.text, "你打开的是测量文件???");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Question);

    EXPECT_EQ(TempDir::read(WorkFilePath()), kMeasurementPane);
    EXPECT_EQ(TempDir::read(target), "P4,1000.000,2000.000,50.000\r\n");
    EXPECT_EQ(status, "转换保存成功!\r\n已写入 " + target + "（1 个点）");
}

TEST_F(DownloadConvertTest, CoordinatePaneNeedsOnlyATargetAndKeepsItForTheNextOpening) {
    ShowInPane(kCoordinatePane);
    desk.answerMessage(MsgResult::Yes);
    const std::string target = dir.file("sv300.txt");
    const int mode = RunCommand([&](CDownloadConvertDlg& dialog) {
        Ctl<QComboBox>(dialog, 1077)->setCurrentIndex(2);
        desk.answerFile(target);
        Click(dialog, 1079);
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
    });
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(desk.messages().front(), "你打开的是坐标文件???");
    EXPECT_EQ(TempDir::read(target), "1,P7,TREE,2345.678,1234.567,12.345\r\n");

    // Opened again: the kept target converts at once with the default layout,
    // once the user agrees to replace it.
    desk.answerMessage(MsgResult::Yes);
    desk.answerMessage(MsgResult::Yes);
    RunCommand([&](CDownloadConvertDlg& dialog) {
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
    });
    EXPECT_EQ(TempDir::read(target), "P7,1234.567,2345.678,12.345\r\n");
}

// Another maker's file in the pane is named in the question and the status
// box; the format list beside the source overrides the guess.
TEST_F(DownloadConvertTest, AnotherMakersPaneIsNamedAndItsFormatCanBeChosen) {
    ShowInPane(
        "*110001+00000000000000P1 81..06+0000000020000000 82..06+0000000010000000 "
        "83..06+0000000000500000\r\n");
    desk.answerMessage(MsgResult::Yes);
    const std::string target = dir.file("points.txt");
    std::string opened, chosen;
    const int mode = RunCommand([&](CDownloadConvertDlg& dialog) {
        opened = dialog.m_strStatus;
        auto* formats = Ctl<QComboBox>(dialog, 1094);
        for (int index : {7, 0}) {  // plain text, then back to recognition
            formats->setCurrentIndex(index);
            emit formats->activated(index);
            if (index == 7)
                chosen = dialog.m_strStatus;
        }
        desk.answerFile(target);
        Click(dialog, 1073);
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
    });
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(desk.messages().front(), "你打开的是Leica GSI-16文件???");
    EXPECT_EQ(opened, "源文件格式：Leica GSI-16");
    EXPECT_EQ(chosen, "源文件格式：坐标文本（手动选择）");
    EXPECT_EQ(TempDir::read(target), "P1,1000.000,2000.000,50.000\r\n");
}

TEST_F(DownloadConvertTest, PanesThatEndTheCommandOrOpenTheDialogEmpty) {
    ShowInPane("P1,100,200,300,\r\n");  // no ATMOS: the link stops and nothing is shown
    Window().StartCommTimer();
    EXPECT_EQ(RunCommand(), -1);
    EXPECT_FALSE(Window().IsCommTimerActive());
    EXPECT_TRUE(desk.calls().empty());
    EXPECT_EQ(TempDir::read(WorkFilePath()), "P1,100,200,300,\r\n");

    ShowInPane(kCoordinatePane);  // No to the question ends the command
    EXPECT_EQ(RunCommand(), -1);
    EXPECT_EQ(desk.calls().size(), 1u);
    EXPECT_EQ(TempDir::read(WorkFilePath()), kCoordinatePane);

    ::unlink(WorkFilePath().c_str());
    ShowInPane("");  // an empty pane leaves the link and the work file alone
    Window().StartCommTimer();
    EXPECT_EQ(RunCommand(), 0);
    EXPECT_TRUE(Window().IsCommTimerActive());
    EXPECT_FALSE(FileExists(WorkFilePath()));
    Window().StopCommTimer();
}

TEST_F(DownloadConvertTest, WorkFileThatCannotBeWrittenEndsTheCommandWithItsReason) {
    // The data folder cannot be created below a plain file.
    ::setenv("XDG_DATA_HOME", (dir.write("plain-file", "") + "/data").c_str(), 1);
    ShowInPane(kCoordinatePane);
    EXPECT_EQ(RunCommand(), -1);  // no question, and no dialog converting an old work file
    ASSERT_EQ(desk.calls().size(), 1u);
    EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Stop);
    EXPECT_NE(desk.messages()[0].find("veltratemp.txt"), std::string::npos);
}

// Each target shows beside its output; an existing one is confirmed once per
// run; an output without records is not created and the status names it.
TEST_F(DownloadConvertTest, TargetsAreShownConfirmedBeforeReplacingAndEmptyOutputsNamed) {
    auto dialog = Opened(0);
    dialog->show();
    const std::string earlier = dir.write("angles.txt", "earlier");
    const std::string points = dir.write("points.txt", "earlier");
    desk.answerFile(
        dir.write("m.txt", "UNITS m,d\r\nSS P4,1.5,POLE\r\nXYZ 1000000,2000000,50000\r\n"));
    Click(*dialog, 1072);
    Click(*dialog, 1069);  // the angle table too: this file has no HV record
    desk.answerFile(points);
    Click(*dialog, 1073);
    desk.answerFile(earlier);
    Click(*dialog, 1075);
    EXPECT_EQ(Ctl<QLineEdit>(*dialog, 1090)->text().toStdString(), points);
    EXPECT_EQ(Ctl<QLineEdit>(*dialog, 1092)->text().toStdString(), earlier);
    EXPECT_EQ(Ctl<QLineEdit>(*dialog, 1091)->text(), QString::fromUtf8("（未选择保存位置）"));

    desk.clearCalls();
    desk.answerMessage(MsgResult::No);
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    ASSERT_EQ(desk.messages().size(), 1u) << "one question for both files";
    EXPECT_NE(desk.messages()[0].find(points + "\n" + earlier), std::string::npos);
    EXPECT_EQ(TempDir::read(points), "earlier") << "No replaces nothing";

    desk.clearCalls();
    desk.answerMessage(MsgResult::Yes);
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(desk.messages().size(), 1u);
    EXPECT_EQ(TempDir::read(points), "P4,1000.000,2000.000,50.000\r\n");
    EXPECT_EQ(TempDir::read(earlier), "earlier") << "an output without records leaves it alone";
    EXPECT_EQ(Status(*dialog),  // no "saved" while an output is missing
              "已写入 " + points + "（1 个点）\n角度没有记录，未创建 " + earlier);
}

}  // namespace
}  // namespace vm::test
