// Download and Upload from the main window over a simulated instrument on a
// pseudo-terminal (port 1 named by Device1 in ./ConfigFile.ini).
#include "tests/app/main_window_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "dialogs/main_menu.h"
#include "app/main_window/pane_guard.h"
#include "serial/download_journal.h"
#include "serial/comm_state.h"
#include "serial/transfer_texts.h"
#include "app/main_window/transfer_progress.h"

namespace vm::test {
namespace {

using SerialCommandsTest = InstrumentWindowTest;

TEST_F(SerialCommandsTest, downloadFillsThePaneAndEndsByItself) {
    std::string file;
    for (int i = 0; i < 200; ++i) {
        file += "PT" + std::to_string(i) + ",\xD7\xF8\xB1\xEA,1000.125,2000.5\r\n";
    }
    auto sender = std::async(std::launch::async, [&] {
        if (!pty.WaitForProgram(10000))
            return false;
        sim::SendPlan plan;
        plan.bytes = file;
        plan.bytesPerSecond = 3840;
        plan.startDelayMs = 100;
        return sim::SendFile(pty, plan).sent == file.size();
    });
    ShowInPane("text from before");
    desk.answerMessage(MsgResult::No);  // kept nowhere: the guard asks, No discards it
    Window().show();
    Window().resize(600, 400);
    ASSERT_TRUE(Window().OnCommand(1004));
    EXPECT_EQ(StatusLine(), "ComPort 1打开成功，开始接收数据>>>");
    EXPECT_TRUE(Window().IsCommTimerActive());
    // The pane follows the new lines until the user scrolls up to read.
    QScrollBar* bar = Window().m_editText->verticalScrollBar();
    ASSERT_TRUE(RunEventsUntil([&] { return Window().m_strText.size() > 2500; }, 10000));
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    // While it runs: lines, then bytes and bytes per second.
    EXPECT_EQ(StatusLine().rfind("收到数据行数: ", 0), 0u) << StatusLine();
    EXPECT_NE(StatusLine().find(" 字节, "), std::string::npos) << StatusLine();
    EXPECT_NE(StatusLine().find("/s"), std::string::npos) << StatusLine();
    bar->setValue(3);
    ASSERT_TRUE(RunEventsUntil([&] { return !Window().IsCommTimerActive(); }, 20000));
    EXPECT_TRUE(sender.get());
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(Window().m_strText, file);
    EXPECT_EQ(StatusLine(),
              "收到数据行数: 201，下载结束，共收到 " + std::to_string(file.size()) + " 字节");
    EXPECT_TRUE(Window().m_editText->toPlainText().contains(QString::fromUtf8("PT199,坐标")));
    EXPECT_FALSE(g_serialPort.IsOpen());
    EXPECT_EQ(desk.messages(), std::vector<std::string>{kUnsavedPaneQuestion});
}

// 停止 (menu, toolbar, Esc) is there only while a transfer runs. It ends a
// download as its end does, with the journal marked as stopped by the user;
// a save while the download runs says that it is unfinished.
TEST_F(SerialCommandsTest, aDownloadStoppedOrSavedBeforeItsEndSaysSo) {
    std::string file;
    for (int i = 0; i < 60; ++i)
        file += "PT" + std::to_string(i) + ",1000.125,2000.5\r\n";
    std::atomic<bool> done{false};
    auto sender = std::async(std::launch::async, [&] {
        for (int run = 0; run < 2 && !done; ++run) {
            if (!pty.WaitForProgram(10000))
                return;
            sim::SendPlan plan;
            plan.bytes = file;
            plan.bytesPerSecond = 1200;
            sim::SendFile(pty, plan, &done);
        }
    });
    QAction* stop = Ctl<QAction>(Window(), kStopTransferId);
    EXPECT_EQ(stop->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(Ctl<QAction>(Window(), kStopTransferButtonId)->isEnabled());

    ASSERT_TRUE(Window().OnCommand(1004));
    EXPECT_TRUE(stop->isEnabled());
    ASSERT_TRUE(RunEventsUntil([&] { return Window().m_strText.size() > 100; }, 10000));
    ASSERT_TRUE(Window().OnCommand(kStopTransferButtonId));
    EXPECT_FALSE(Window().IsCommTimerActive());
    EXPECT_FALSE(g_serialPort.IsOpen());
    EXPECT_FALSE(stop->isEnabled());
    const std::string got = Window().m_strText;
    EXPECT_LT(got.size(), file.size());
    EXPECT_EQ(file.compare(0, got.size(), got), 0);
    EXPECT_NE(StatusLine().find("，下载已停止，共收到 " + std::to_string(got.size()) + " 字节"),
              std::string::npos)
        << StatusLine();
    const std::vector<JournalEntry> journal = ListJournal();
    ASSERT_FALSE(journal.empty());
    EXPECT_TRUE(journal.back().stopped);
    EXPECT_EQ(std::string(JournalEndingText(journal.back())), "用户停止");

    ASSERT_TRUE(Window().OnCommand(1004));  // the pane is in the journal: no question
    ASSERT_TRUE(RunEventsUntil([&] { return Window().m_strText.size() > 100; }, 10000));
    const std::string saved = dir.file("part.txt");
    desk.answerFile(saved);
    ASSERT_TRUE(Window().OnCommand(32774));
    const std::string bytes = TempDir::read(saved);
    EXPECT_EQ(StatusLine(), "下载未结束：已保存收到的 " + std::to_string(bytes.size()) + " 字节");
    EXPECT_FALSE(stop->isEnabled());
    done = true;
}

// Both commands show the window's failure texts with the device port 1 stands
// for and the reason (every reason is checked on the serial layer), and keep
// the pane.
TEST_F(SerialCommandsTest, aPortThatCannotBeOpenedShowsTheDeviceAndTheReason) {
    const std::string device = dir.file("no-such-port");
    const std::string reason = "找不到这个设备（未连接、已拔出或名称有误）";
    UseDevice(device);
    ShowInPane("kept");
    for (int command : {1004, 1005}) {
        desk.answerMessage(MsgResult::No);  // the typed text is not kept: the guard asks
        if (command == 1005)
            desk.answerFile(dir.write("points.txt", "1,2,3,4\r\n"));
        ASSERT_TRUE(Window().OnCommand(command));
        EXPECT_EQ(StatusLine(), "ComPort 1打开失败，没有这个串口，或者该串口被其它程序占用>>> " +
                                    device + "：" + reason);
        ASSERT_FALSE(desk.calls().empty());
        EXPECT_EQ(desk.calls().back().text, "Com1打开失败!\n" + device + "：" + reason);
        EXPECT_EQ(desk.calls().back().icon, MsgIcon::Stop);
        EXPECT_EQ(Window().m_strText, "kept");
        EXPECT_FALSE(Window().IsCommTimerActive());
    }
}

// 停止 ends the upload after its line, without EOT, and says how far it went;
// the pane then shows the lines sent.
TEST_F(SerialCommandsTest, uploadShowsItsProgressAndStopsAfterTheLine) {
    desk.answerFile(dir.write("lines.txt", "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n"));
    auto recording = std::async(std::launch::async, [&] {
        sim::RecordPlan plan;
        plan.timeoutMs = 4000;
        return sim::RecordUpload(pty, plan);
    });
    Window().show();
    ASSERT_TRUE(Window().OnCommand(1005));
    ASSERT_TRUE(RunEventsUntil([&] { return StatusLine().rfind("Sent Data: ", 0) == 0; }, 10000));
    EXPECT_NE(StatusLine().find(" / 7"), std::string::npos) << StatusLine();
    auto* progress = Ctl<QProgressBar>(Window(), CTransferProgress::kBarId);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->maximum(), 7);
    EXPECT_LT(Window().m_editStatus->geometry().right(), progress->geometry().left());
    Click(Window(), CTransferProgress::kStopId);
    ASSERT_TRUE(RunEventsUntil([&] { return !Window().IsCommTimerActive(); }, 5000));
    const std::string sent = recording.get().bytes;
    EXPECT_EQ(sent.find('\x04'), std::string::npos);
    const long long lines = std::count(sent.begin(), sent.end(), '\n');
    EXPECT_EQ(StatusLine(), UploadStoppedStatus(lines, 7));
    EXPECT_EQ(Window().m_strText, sent) << "the pane shows the lines sent";
    EXPECT_LT(lines, 7);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(g_serialPort.IsOpen());
    EXPECT_EQ(desk.callsOf(DesktopCall::OpenFile).at(0).parent, nullptr);  // no owner window
}

TEST_F(SerialCommandsTest, anUploadEndingAfterNewLeavesTheNewPaneAlone) {
    desk.answerFile(dir.write("lines.txt", "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n"));
    ASSERT_TRUE(Window().OnCommand(1005));
    ASSERT_TRUE(RunEventsUntil([&] { return Window().m_strText.rfind("A\r\n", 0) == 0; }, 10000));
    desk.answerMessage(MsgResult::Yes);
    ASSERT_TRUE(Window().OnCommand(32783));  // New: stops the tick and the port
    const std::string status = StatusLine();
    ASSERT_TRUE(
        RunEventsUntil([&] { return GetUploadTexts().status.rfind("发送了", 0) == 0; }, 10000));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    QCoreApplication::processEvents();
    EXPECT_EQ(Window().m_strText, "");
    EXPECT_EQ(StatusLine(), status);
}

TEST_F(SerialCommandsTest, closingTheWindowWhileTheUploadAsksForItsFileDoesNotHang) {
    ASSERT_TRUE(Window().OnCommand(1005));
    main.reset();  // the file question was never answered
    SUCCEED();
}

}  // namespace
}  // namespace vm::test
