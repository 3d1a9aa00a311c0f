// The download, driven tick by tick over a pseudo-terminal: the line count,
// the end rule, and keeping pace with the line at every baud rate.
#include <gtest/gtest.h>

#include "serial/tty_speed_linux.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::Download;

TEST(Download, startsWithAnEmptyPaneAndCountsTheLinesShownSinceThePreviousTick) {
    test::PtyLink link;
    link.Send("stale bytes from before");
    CSerialPort port;
    CCommTicker ticker;
    std::string pane = "old";
    const TransferStart start = StartDownload(port, link.choice, ticker, pane);
    ASSERT_TRUE(start.started);
    EXPECT_EQ(start.status, "ComPort 3打开成功，开始接收数据>>>");
    EXPECT_TRUE(start.message.empty());
    EXPECT_EQ(pane, "");
    EXPECT_EQ(ticker.OnTimer(port, pane).status, "收到数据行数:  0");
    EXPECT_EQ(pane, "") << "what waited before the start is dropped";
    link.Send("A\r\nB\r\n", &port);
    EXPECT_EQ(ticker.OnTimer(port, pane).status, "收到数据行数: 1");
    EXPECT_EQ(ticker.OnTimer(port, pane).status, "收到数据行数: 3");
    EXPECT_EQ(pane, "A\r\nB\r\n");
}

// The download ends after the end silence (600 ms by default, a longer one
// rounded up to whole ticks: 1000 ms is four), never before anything came,
// and a shorter pause does not end it.
TEST(Download, endsAfterTheEndSilenceNotAfterAShorterPauseOrBeforeAnythingCame) {
    for (const auto& [silenceMs, ticks] : {std::pair{600, 2}, {1000, 4}}) {
        SCOPED_TRACE(silenceMs);
        Download d;
        d.link.choice.settings.nEndSilenceMs = silenceMs;
        ASSERT_TRUE(StartDownload(d.port, d.link.choice, d.ticker, d.pane).started);
        for (int i = 0; i < 6; ++i)
            EXPECT_FALSE(d.Tick().finished) << "without data it waits for the user";
        d.Send("first ");
        EXPECT_FALSE(d.Tick().finished);
        for (int silent = 1; silent < ticks; ++silent)
            EXPECT_FALSE(d.Tick().finished) << silent << " silent ticks";
        d.Send("second");
        EXPECT_FALSE(d.Tick().finished);
        for (int silent = 1; silent < ticks; ++silent)
            EXPECT_FALSE(d.Tick().finished);
        const TickResult end = d.Tick();
        EXPECT_TRUE(end.finished);
        EXPECT_FALSE(end.portLost);
        EXPECT_EQ(end.status, "收到数据行数: 1，下载结束，共收到 12 字节");
        EXPECT_FALSE(d.port.IsOpen());
        EXPECT_EQ(d.pane, "first second");
    }

    // The remembered lengths start over with each download: a first tick that
    // happens to match the end of the last transfer must not end this one.
    Download d;
    d.Send("first second");
    std::string received;
    ASSERT_TRUE(d.TickToEnd(received).finished);
    ASSERT_TRUE(StartDownload(d.port, d.link.choice, d.ticker, d.pane).started);
    d.Send("abcdefghijkl");
    EXPECT_FALSE(d.Tick().finished);
    d.Send("mn");
    EXPECT_FALSE(d.Tick().finished);
    EXPECT_EQ(d.pane, "abcdefghijklmn");
}

// A whole file at the byte rate of each baud rate, with the port opened at
// that rate, in simulated time: before each tick the instrument sends what the
// line carries in 300 ms.
TEST(Download, aLargeFileArrivesByteForByteAtEveryBaudRate) {
    std::string file;
    for (int i = 0; file.size() < 200 * 1024; ++i) {
        file += "PT" + std::to_string(i) + "," + test::GbkSample();
    }
    for (int baud : {2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200}) {
        Download d(baud);
        ASSERT_TRUE(d.start.started) << baud;
        EXPECT_EQ(tty::ReportedSpeed(d.link.pty.MasterFd()), baud) << "the line runs at it";
        const size_t perTick = static_cast<size_t>(baud) / 10 * 3 / 10;
        for (size_t sent = 0; sent < file.size(); sent += perTick) {
            d.Send(file.substr(sent, perTick));
            ASSERT_FALSE(d.Tick().finished) << baud;
        }
        // Kept pace with the line: ends two ticks after the last bytes.
        int after = 1;
        while (!d.Tick().finished && after < 10)
            ++after;
        EXPECT_LE(after, 3) << baud;
        EXPECT_EQ(d.pane, file) << baud;
    }
}

}  // namespace
}  // namespace vm
