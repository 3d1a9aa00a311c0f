// The download: the tick's line count, the end rule and taking every queued
// byte, driven tick by tick over a pseudo-terminal.
#include <gtest/gtest.h>

#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::PtyLink;

struct Download {
    PtyLink link;
    CSerialPort port;
    CCommTicker ticker;
    std::string pane = "text from before";
    TransferStart start;

    Download() { start = StartDownload(port, link.choice, ticker, pane); }
    TickResult Tick() { return ticker.OnTimer(port, pane); }
    void Send(const std::string& bytes) { link.Send(bytes, &port); }
};

TEST(StartDownload, aMissingPortIsReportedWithItsNumberAndThePaneKept) {
    CSerialPort port;
    CCommTicker ticker;
    PortChoice choice;
    choice.settings.nPort = 3;
    choice.settings.nBaud = 2400;
    choice.settings.byByteSize = 8;
    choice.devicePath = "/dev/veltramarlin-no-such-port";
    std::string pane = "kept";
    const TransferStart start = StartDownload(port, choice, ticker, pane);
    EXPECT_FALSE(start.started);
    EXPECT_EQ(start.status, "ComPort 3打开失败，没有这个串口，或者该串口被其它程序占用>>>");
    EXPECT_EQ(start.message, "Com3打开失败!");
    EXPECT_EQ(pane, "kept");
    EXPECT_FALSE(port.IsOpen());
}

TEST(StartDownload, opensEmptiesThePaneAndDropsStaleInput) {
    PtyLink link;
    link.Send("stale bytes from before");
    CSerialPort port;
    CCommTicker ticker;
    std::string pane = "old";
    const TransferStart start = StartDownload(port, link.choice, ticker, pane);
    ASSERT_TRUE(start.started);
    EXPECT_EQ(start.status, "ComPort 3打开成功，开始接收数据>>>");
    EXPECT_TRUE(start.message.empty());
    EXPECT_EQ(pane, "");
    EXPECT_EQ(GetCommMode(), COMM_RECEIVE);
    ticker.OnTimer(port, pane);
    EXPECT_EQ(pane, "");
}

TEST(DownloadTick, countsTheLinesShownSinceThePreviousTick) {
    Download d;
    ASSERT_TRUE(d.start.started);
    EXPECT_EQ(d.Tick().status, "收到数据行数:  0");
    d.Send("A\r\nB\r\n");
    EXPECT_EQ(d.Tick().status, "收到数据行数: 1");
    EXPECT_EQ(d.Tick().status, "收到数据行数: 3");
    EXPECT_EQ(d.pane, "A\r\nB\r\n");
}

TEST(DownloadTick, aOneTickPauseGoesOnAndATwoTickPauseEnds) {
    Download d;
    d.Send("first ");
    EXPECT_FALSE(d.Tick().finished);
    EXPECT_FALSE(d.Tick().finished);  // 300 ms of silence
    d.Send("second");
    EXPECT_FALSE(d.Tick().finished);
    EXPECT_FALSE(d.Tick().finished);
    const TickResult end = d.Tick();  // 600 ms of silence
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.portLost);
    EXPECT_EQ(end.status, "收到数据行数: 1");
    EXPECT_FALSE(d.port.IsOpen());
    EXPECT_EQ(d.pane, "first second");
}

TEST(DownloadTick, withoutDataTheDownloadWaitsForTheUser) {
    Download d;
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(d.Tick().finished);
    EXPECT_TRUE(d.port.IsOpen());
}

TEST(DownloadTick, aNewDownloadIsNotEndedByTheLengthOfThePreviousOne) {
    // The remembered lengths start over with each download: a first tick that
    // happens to match the end of the last transfer must not end this one.
    Download d;
    d.Send("12345");
    d.Tick();
    d.Tick();
    ASSERT_TRUE(d.Tick().finished);
    ASSERT_TRUE(StartDownload(d.port, d.link.choice, d.ticker, d.pane).started);
    d.Send("abcde");
    EXPECT_FALSE(d.Tick().finished);
    d.Send("fgh");
    EXPECT_FALSE(d.Tick().finished);
    EXPECT_EQ(d.pane, "abcdefgh");
}

TEST(DownloadTick, takesEverythingQueuedInOneTick) {
    // At 38400 baud more than a thousand bytes arrive between two ticks.
    Download d;
    std::string burst;
    while (burst.size() < 3000)
        burst += test::GbkSample();
    d.Send(burst);
    const TickResult tick = d.Tick();
    EXPECT_EQ(tick.received, burst);
    EXPECT_EQ(d.pane, burst);
}

TEST(DownloadTick, aNulByteDoesNotCutOffWhatFollowsIt) {
    Download d;
    d.Send(std::string("A\0B\r\n", 5));
    const TickResult tick = d.Tick();
    EXPECT_EQ(tick.received, std::string("A\0B\r\n", 5));
    EXPECT_EQ(d.pane, "AB\r\n");
}

TEST(DownloadTick, aDeviceThatGoesAwayEndsTheDownloadAndKeepsTheText) {
    Download d;
    d.Send("PT1,1,2,3\r\n");
    d.Tick();
    d.link.pty.HangUp();
    const TickResult tick = d.Tick();
    EXPECT_TRUE(tick.finished);
    EXPECT_TRUE(tick.portLost);
    EXPECT_EQ(tick.status, PortLostStatus(3));
    EXPECT_EQ(d.pane, "PT1,1,2,3\r\n");
    EXPECT_FALSE(d.port.IsOpen());
}

// A whole file at the byte rate of each listed baud rate, in simulated time:
// before each tick the instrument sends what the line carries in 300 ms.
TEST(DownloadTick, aLargeFileArrivesByteForByteAtEveryBaudRate) {
    std::string file;
    for (int i = 0; file.size() < 200 * 1024; ++i) {
        file += "PT" + std::to_string(i) + "," + test::GbkSample();
    }
    for (int baud : {2400, 4800, 9600, 19200, 38400}) {
        Download d;
        ASSERT_TRUE(d.start.started);
        const size_t perTick = static_cast<size_t>(baud / 10 * 0.3);
        size_t sent = 0;
        int ticks = 0;
        TickResult tick;
        while (!tick.finished && ticks < 100000) {
            if (sent < file.size()) {
                const size_t n = std::min(perTick, file.size() - sent);
                d.Send(file.substr(sent, n));
                sent += n;
            }
            tick = d.Tick();
            ++ticks;
            if (sent < file.size()) {
                ASSERT_FALSE(tick.finished) << baud;
            }
        }
        EXPECT_EQ(d.pane, file) << baud;
        // Kept pace with the line: ends two ticks after the last bytes.
        const int lineTicks = static_cast<int>((file.size() + perTick - 1) / perTick);
        EXPECT_LE(ticks, lineTicks + 3) << baud;
    }
}

}  // namespace
}  // namespace vm
