// The upload worker against a simulated instrument that records what arrives.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "common/file_io.h"
#include "serial/transfer_texts.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::Upload;

// When each byte of the recording arrived, in milliseconds.
std::vector<double> ByteTimes(const sim::Recording& rec) {
    std::vector<double> times;
    for (const sim::RecordedChunk& c : rec.chunks)
        times.insert(times.end(), c.bytes.size(), c.ms);
    return times;
}

std::string Lines(const char* prefix, int count, const char* rest = "") {
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += prefix + std::to_string(i) + rest + "\r\n";
    return lines;
}

TEST(Upload, sendsEachPointInThreePiecesWithPausesAndEndsWithEot) {
    Upload u{UploadPacing()};
    const std::string file = u.dir.write(
        "coords.txt",
        "PT7,100.25,200.5,-3.0009,TREE\r\nPT8,100.25,200.5,-3.0009\n\xB2\xE2\xC1\xBF NOTE\r\n");
    auto recording = u.Record();
    const TransferStart start = u.Start(file);
    ASSERT_TRUE(start.started);
    EXPECT_EQ(start.status, "ComPort 3打开成功，开始发送数据>>>");
    EXPECT_EQ(u.pane, "");
    const sim::Recording rec = recording.get();
    u.worker.Wait();

    const std::string piece2 = "PT7,100250,";
    const std::string piece3 = piece2 + "200500,";
    const std::string line1 = piece3 + "-3000,TREE\r\n";
    const std::string line2 = "PT8,100250,200500,-3000,\r\n";
    ASSERT_EQ(rec.bytes, line1 + line2 + "\xB2\xE2\xC1\xBF NOTE\r\n\x04")
        << "every byte as it stands";
    // Pauses after the first and the second piece, after the line and before EOT.
    const std::vector<double> at = ByteTimes(rec);
    for (const size_t next : {piece2.size(), piece3.size(), line1.size(), at.size() - 1})
        EXPECT_GE(at[next] - at[next - 1], 250) << "no pause before byte " << next;

    const UploadTexts texts = GetUploadTexts();
    EXPECT_EQ(texts.status, "发送了 3 行,文件已经全部发送>>>");
    EXPECT_EQ(
        texts.log,
        "PT7,100.25,200.5,-3.0009,TREE\r\nPT8,100.25,200.5,-3.0009\r\n\xB2\xE2\xC1\xBF NOTE\r\n");
    EXPECT_EQ(u.finished, 1);
    EXPECT_FALSE(u.port.IsOpen());
}

// Nothing chosen or an unreadable file closes the port without sending
// anything, not even EOT; an empty file sends EOT only; a line longer than 99
// bytes goes out as two.
TEST(Upload, theChosenFileDecidesWhatIsSentAndShown) {
    const std::string line(150, 'x');
    const std::string done = "文件已经全部发送>>>";
    const struct {
        bool choose;
        std::optional<std::string> file;  // none: the file does not exist
        std::string sent, status;         // no status: the read failure, also shown as a message
        bool shown = false;               // the status is also shown as a message
    } rows[] = {
        {false, "", "", "文件未打开，串口被关闭"},
        {true, std::nullopt, "", "", true},
        {true, "", "\x04", "发送了 0 行," + done},
        {true, line + "\r\n", line.substr(0, 99) + "\r\n" + line.substr(99) + "\r\n\x04",
         "发送了 2 行," + done},
        // A coordinate the instrument cannot take: nothing is sent, not even EOT.
        {true, "P1,1,2,3\rP2,1,2,-1e11,T\r\n", "",
         "第 2 行的坐标不是仪器能接收的数值，文件未发送：P2,1,2,-1e11,T", true},
        {true, "\xEF\xBB\xBFP1,1,2,3\rP2,1,2,3", "P1,1000,2000,3000,\r\nP2,1000,2000,3000,\r\n\x04",
         "发送了 2 行," + done},
    };
    for (const auto& r : rows) {
        Upload u;
        const std::string path = r.file ? u.dir.write("f.txt", *r.file) : u.dir.file("none.txt");
        ASSERT_TRUE(u.Start(path, r.choose).started);
        u.worker.Wait();
        EXPECT_EQ(u.link.Receive(1000, 200, true), r.sent) << r.status;
        const std::string status = r.status.empty() ? ReadFailureMessage(path, ENOENT) : r.status;
        EXPECT_EQ(GetUploadTexts().status, status);
        EXPECT_EQ(u.messages, std::vector<std::string>(r.shown ? 1 : 0, status));
        EXPECT_EQ(u.finished, 1);
        EXPECT_FALSE(u.port.IsOpen());
    }
}

TEST(Upload, aDownloadStartedMeanwhileStopsItAfterTheLineInProgress) {
    UploadPacing pacing = test::FastPacing();
    pacing.lineGapMs = 300;
    Upload u{pacing};
    ASSERT_TRUE(u.Start(u.dir.write("lines.txt", Lines("L", 20))).started);
    ASSERT_EQ(u.link.Receive(4).substr(0, 4), "L0\r\n");

    CCommTicker ticker;
    ASSERT_TRUE(StartDownload(u.port, u.link.choice, ticker, u.pane).started);
    u.worker.Wait();
    const std::string rest = u.link.Receive(std::string::npos, 1000, true);
    EXPECT_TRUE(rest == "" || rest == "L1\r\n") << rest;
    EXPECT_TRUE(u.port.IsOpen()) << "the port belongs to the download now";
    EXPECT_EQ(u.finished, 0);
    u.link.Send("PT1\r\n", &u.port);
    ticker.OnTimer(u.port, u.pane);
    EXPECT_EQ(u.pane, "PT1\r\n");
}

// A second upload waits for the first one's line in progress, then goes out
// whole, never mixed; 停止 in the middle of a point finishes the point, then
// closes the port without EOT and the status says how far the file went.
TEST(Upload, aSecondUploadOrAStopWaitsForTheLineInProgress) {
    for (const bool stop : {false, true}) {
        UploadPacing pacing = test::FastPacing();
        pacing.pieceGapMs = 300;
        Upload u{pacing};
        ASSERT_TRUE(u.Start(u.dir.write("a.txt", Lines("A", 20, ",1,2,3"))).started);
        ASSERT_EQ(u.link.Receive(8), "A0,1000,");
        if (stop)
            u.worker.RequestStop();
        else
            ASSERT_TRUE(u.Start(u.dir.write("b.txt", "B1,4,5,6\r\n")).started);
        const std::string rest = u.link.Receive(std::string::npos, stop ? 2000 : 5000, true);
        u.worker.Wait();
        EXPECT_EQ(rest, stop ? "2000,3000,\r\n" : "2000,3000,\r\nB1,4000,5000,6000,\r\n\x04");
        if (stop) {
            EXPECT_EQ(GetUploadTexts().status,
                      "上传已停止：发送了 1 行（共 20 行），未发送结束符>>>");
        }
        EXPECT_EQ(u.finished, 1);
        EXPECT_FALSE(u.port.IsOpen());
    }
}

// XOFF holds the next line until XON; an instrument that never resumes gets
// EOT and the user a message.
TEST(Upload, xoffHoldsTheNextLineUntilXonOrGivesUpWithAMessage) {
    for (const int xonAfterMs : {800, -1}) {
        UploadPacing pacing = test::FastPacing();
        pacing.flowSteps = xonAfterMs > 0 ? 40 : 6;
        pacing.lineGapMs = 300;  // time for the instrument's XOFF to arrive
        Upload u{pacing};
        sim::RecordPlan plan;
        plan.xoffAfterLines = 1;
        plan.xonAfterMs = xonAfterMs;
        auto recording = u.Record(plan);
        ASSERT_TRUE(u.Start(u.dir.write("c.txt", "ONE\r\nTWO\r\n")).started);
        const sim::Recording rec = recording.get();
        u.worker.Wait();
        EXPECT_EQ(u.finished, 1);
        EXPECT_FALSE(u.port.IsOpen());
        if (xonAfterMs > 0) {
            ASSERT_EQ(rec.bytes, "ONE\r\nTWO\r\n\x04");
            const std::vector<double> at = ByteTimes(rec);
            EXPECT_GE(at[5] - at[4], 700) << "the second line waited for XON";
            EXPECT_TRUE(u.messages.empty());
        } else {
            EXPECT_EQ(rec.bytes, "ONE\r\n\x04");
            EXPECT_EQ(u.messages, std::vector<std::string>{"The totalstation didn't response!"});
        }
    }
}

TEST(Upload, aDeviceThatGoesAwayEndsItWithAClearStatus) {
    Upload u;
    ASSERT_TRUE(u.Start(u.dir.write("lines.txt", Lines("L", 50))).started);
    ASSERT_EQ(u.link.Receive(4).substr(0, 4), "L0\r\n");
    u.link.pty.HangUp();
    u.worker.Wait();
    const std::string status = GetUploadTexts().status;
    EXPECT_EQ(status.rfind("ComPort 3连接已断开，发送已停止：发送了 ", 0), 0u) << status;
    EXPECT_NE(status.find("（共 50 行）"), std::string::npos) << status;
    EXPECT_EQ(u.finished, 1);
    EXPECT_FALSE(u.port.IsOpen());
}

// During an upload the tick takes what the instrument sends off the line, so
// it notes the instrument's XON/XOFF for the worker.
TEST(UploadTick, notesTheInstrumentsFlowControlForTheWorker) {
    Upload u;
    ASSERT_TRUE(OpenPort(u.port, u.link.choice));
    SetCommMode(COMM_SEND);
    CCommTicker ticker;
    u.link.Send(std::string("ack") + kXoff, &u.port);
    EXPECT_TRUE(ticker.OnTimer(u.port, u.pane).paneReplaced);
    EXPECT_EQ(GetFlowState(), std::string(1, kXoff));
    u.link.Send(std::string(1, kXon) + "x", &u.port);
    ticker.OnTimer(u.port, u.pane);
    EXPECT_EQ(GetFlowState(), std::string(1, kXon));
}

}  // namespace
}  // namespace vm
