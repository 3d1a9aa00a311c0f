// The upload worker against a simulated instrument that records what arrives.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <vector>

#include "common/file_io.h"
#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"
#include "tests/serial/pty_link.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::PtyLink;
using test::TempDir;

UploadPacing Fast() {
    UploadPacing p;
    p.pieceGapMs = p.lineGapMs = p.endDelayMs = 20;
    p.cancelDelayMs = 50;
    p.flowStepMs = 50;
    p.flowSteps = 6;
    return p;
}

struct Upload {
    PtyLink link;
    TempDir dir;
    CSerialPort port;
    CUploadWorker worker;
    std::string pane = "old pane";
    std::atomic<int> finished{0};
    std::mutex mutex;
    std::vector<std::string> messages;

    explicit Upload(UploadPacing pacing = Fast()) : worker(port, pacing) {}

    UploadHooks Hooks(const std::string& path, bool choose = true) {
        UploadHooks h;
        h.chooseFile = [path, choose](std::string& chosen) {
            chosen = path;
            return choose;
        };
        h.showMessage = [this](const std::string& text) {
            std::lock_guard<std::mutex> lock(mutex);
            messages.push_back(text);
        };
        h.finished = [this] { ++finished; };
        return h;
    }
    TransferStart Start(const std::string& path, bool choose = true) {
        return StartUpload(port, link.choice, worker, Hooks(path, choose), pane);
    }
    std::future<sim::Recording> Record(sim::RecordPlan plan = {}) {
        if (plan.timeoutMs == 60000)
            plan.timeoutMs = 10000;
        return std::async(std::launch::async,
                          [this, plan] { return sim::RecordUpload(link.pty, plan); });
    }
};

// When each byte of the recording arrived, in milliseconds.
std::vector<double> ByteTimes(const sim::Recording& rec) {
    std::vector<double> times;
    for (const sim::RecordedChunk& c : rec.chunks)
        times.insert(times.end(), c.bytes.size(), c.ms);
    return times;
}

TEST(Upload, sendsEachPointInThreePiecesWithPausesAndEndsWithEot) {
    Upload u{UploadPacing()};
    const std::string file = u.dir.write(
        "coords.txt", "PT7,100.25,200.5,-3.0009,TREE\r\nPT8,100.25,200.5,-3.0009\nNOTE\r\n");
    auto recording = u.Record();
    const TransferStart start = u.Start(file);
    ASSERT_TRUE(start.started);
    EXPECT_EQ(start.status, "ComPort 3打开成功，开始接收数据>>>");
    EXPECT_EQ(u.pane, "");
    const sim::Recording rec = recording.get();
    u.worker.Wait();

    const std::string piece2 = "PT7,100250,";
    const std::string piece3 = piece2 + "200500,";
    const std::string line1 = piece3 + "-3000,TREE\r\n";
    const std::string line2 = "PT8,100250,200500,-3000,\r\n";
    ASSERT_EQ(rec.bytes, line1 + line2 + "NOTE\r\n\x04");
    const std::vector<double> at = ByteTimes(rec);
    EXPECT_GE(at[piece2.size()] - at[piece2.size() - 1], 250) << "pause after the first piece";
    EXPECT_GE(at[piece3.size()] - at[piece3.size() - 1], 250) << "pause after the second piece";
    EXPECT_GE(at[line1.size()] - at[line1.size() - 1], 250) << "pause after the line";
    EXPECT_GE(at.back() - at[at.size() - 2], 250) << "pause before EOT";

    const UploadTexts texts = GetUploadTexts();
    EXPECT_EQ(texts.status, "发送了 3 行,文件已经全部发送>>>");
    EXPECT_EQ(texts.log, "PT7,100.25,200.5,-3.0009,TREE\r\nPT8,100.25,200.5,-3.0009\r\nNOTE\r\n");
    EXPECT_EQ(u.finished, 1);
    EXPECT_FALSE(u.port.IsOpen());
}

TEST(Upload, anEmptyFileSendsOnlyEotAndALongLineGoesAsTwo) {
    {
        Upload u;
        auto recording = u.Record();
        ASSERT_TRUE(u.Start(u.dir.write("empty.txt", "")).started);
        EXPECT_EQ(recording.get().bytes, "\x04");
        u.worker.Wait();
        EXPECT_EQ(GetUploadTexts().status, "发送了 0 行,文件已经全部发送>>>");
    }
    Upload u;
    const std::string line(150, 'x');
    auto recording = u.Record();
    ASSERT_TRUE(u.Start(u.dir.write("long.txt", line + "\r\n")).started);
    EXPECT_EQ(recording.get().bytes, line.substr(0, 99) + "\r\n" + line.substr(99) + "\r\n\x04");
    u.worker.Wait();
    EXPECT_EQ(GetUploadTexts().status, "发送了 2 行,文件已经全部发送>>>");
}

TEST(Upload, aDownloadStartedMeanwhileStopsItAfterTheLineInProgress) {
    UploadPacing pacing = Fast();
    pacing.lineGapMs = 300;
    Upload u{pacing};
    std::string lines;
    for (int i = 0; i < 20; ++i)
        lines += "L" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(u.Start(u.dir.write("lines.txt", lines)).started);
    ASSERT_EQ(u.link.Receive(4).substr(0, 4), "L0\r\n");

    CCommTicker ticker;
    ASSERT_TRUE(StartDownload(u.port, u.link.choice, ticker, u.pane).started);
    u.worker.Wait();
    const std::string rest = u.link.ReceiveUntilEot(1000);
    EXPECT_TRUE(rest == "" || rest == "L1\r\n") << rest;
    EXPECT_TRUE(u.port.IsOpen()) << "the port belongs to the download now";
    EXPECT_EQ(u.finished, 0);
    u.link.Send("PT1\r\n", &u.port);
    ticker.OnTimer(u.port, u.pane);
    EXPECT_EQ(u.pane, "PT1\r\n");
}

TEST(Upload, aSecondUploadWaitsForTheFirstToFinishItsLine) {
    UploadPacing pacing = Fast();
    pacing.pieceGapMs = 300;
    Upload u{pacing};
    std::string lines;
    for (int i = 0; i < 20; ++i)
        lines += "A" + std::to_string(i) + ",1,2,3\r\n";
    ASSERT_TRUE(u.Start(u.dir.write("a.txt", lines)).started);
    const std::string first = u.link.Receive(8);
    ASSERT_EQ(first, "A0,1000,");
    ASSERT_TRUE(u.Start(u.dir.write("b.txt", "B1,4,5,6\r\n")).started);
    const std::string rest = u.link.ReceiveUntilEot();
    u.worker.Wait();
    // The first upload's line in progress, then the whole second one, never mixed.
    EXPECT_EQ(rest, "2000,3000,\r\nB1,4000,5000,6000,\r\n\x04");
    EXPECT_EQ(u.finished, 1);
}

TEST(Upload, xoffHoldsTheNextLineUntilXon) {
    UploadPacing pacing = Fast();
    pacing.flowSteps = 40;
    pacing.lineGapMs = 300;  // time for the instrument's XOFF to arrive
    Upload u{pacing};
    sim::RecordPlan plan;
    plan.xoffAfterLines = 1;
    plan.xonAfterMs = 800;
    auto recording = u.Record(plan);
    ASSERT_TRUE(u.Start(u.dir.write("c.txt", "ONE\r\nTWO\r\n")).started);
    const sim::Recording rec = recording.get();
    u.worker.Wait();
    ASSERT_EQ(rec.bytes, "ONE\r\nTWO\r\n\x04");
    const std::vector<double> at = ByteTimes(rec);
    EXPECT_GE(at[5] - at[4], 700) << "the second line waited for XON";
    EXPECT_TRUE(u.messages.empty());
}

TEST(Upload, anInstrumentThatNeverResumesGetsEotAndAMessage) {
    UploadPacing pacing = Fast();
    pacing.lineGapMs = 300;  // time for the instrument's XOFF to arrive
    Upload u{pacing};
    sim::RecordPlan plan;
    plan.xoffAfterLines = 1;
    plan.xonAfterMs = -1;
    auto recording = u.Record(plan);
    ASSERT_TRUE(u.Start(u.dir.write("c.txt", "ONE\r\nTWO\r\n")).started);
    EXPECT_EQ(recording.get().bytes, "ONE\r\n\x04");
    u.worker.Wait();
    ASSERT_EQ(u.messages.size(), 1u);
    EXPECT_EQ(u.messages[0], "The totalstation didn't response!");
    EXPECT_EQ(u.finished, 1);
    EXPECT_FALSE(u.port.IsOpen());
}

TEST(Upload, noFileOrAnUnreadableOneClosesThePortWithoutSending) {
    {
        Upload u;
        ASSERT_TRUE(u.Start("", false).started);
        u.worker.Wait();
        EXPECT_EQ(GetUploadTexts().status, "文件未打开，串口被关闭");
        EXPECT_EQ(u.finished, 1);
        EXPECT_FALSE(u.port.IsOpen());
        EXPECT_EQ(u.link.Receive(1, 100), "");
    }
    Upload u;
    const std::string missing = u.dir.file("missing.txt");
    ASSERT_TRUE(u.Start(missing).started);
    u.worker.Wait();
    const std::string expected = ReadFailureMessage(missing, ENOENT);
    EXPECT_EQ(GetUploadTexts().status, expected);
    ASSERT_EQ(u.messages.size(), 1u);
    EXPECT_EQ(u.messages[0], expected);
    EXPECT_EQ(u.finished, 1);
    EXPECT_EQ(u.link.Receive(1, 100), "") << "not even EOT";
}

TEST(Upload, aDeviceThatGoesAwayEndsItWithAClearStatus) {
    Upload u;
    std::string lines;
    for (int i = 0; i < 50; ++i)
        lines += "L" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(u.Start(u.dir.write("lines.txt", lines)).started);
    ASSERT_EQ(u.link.Receive(4).substr(0, 4), "L0\r\n");
    u.link.pty.HangUp();
    u.worker.Wait();
    EXPECT_EQ(GetUploadTexts().status, PortLostStatus(3));
    EXPECT_EQ(u.finished, 1);
    EXPECT_FALSE(u.port.IsOpen());
}

TEST(UploadTick, showsTheTranscriptAndStatusAndNotesFlowControl) {
    Upload u;
    {
        std::lock_guard<std::mutex> lock(g_commMutex);
        g_nCommMode = COMM_SEND;
        g_strSendLog = "P1,1,2,3\r\n";
        g_strSendStatus = "Sent Data: 1";
    }
    ASSERT_TRUE(OpenPort(u.port, u.link.choice));
    u.link.Send(std::string("ack") + kXoff, &u.port);
    CCommTicker ticker;
    std::string pane = "typed";
    const TickResult tick = ticker.OnTimer(u.port, pane);
    EXPECT_TRUE(tick.paneReplaced);
    EXPECT_FALSE(tick.finished);
    EXPECT_EQ(pane, "P1,1,2,3\r\n");
    EXPECT_EQ(tick.status, "Sent Data: 1");
    EXPECT_EQ(GetFlowState(), std::string(1, kXoff));
    u.link.Send(std::string(1, kXon) + "x", &u.port);
    ticker.OnTimer(u.port, pane);
    EXPECT_EQ(GetFlowState(), std::string(1, kXon));
}

}  // namespace
}  // namespace vm
