// The link under the faults a real line shows: garbage and every byte value,
// a burst larger than the device's input queue, an instrument that goes away
// and comes back as a new device, and flow-control bytes arriving during a
// download. Nothing received may be lost and the program must stay usable.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "serial/upload_worker.h"
#include "tests/serial/pty_link.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::PtyLink;

constexpr char kXon = '\x11';
constexpr char kXoff = '\x13';

// Ticks until the download ends by its own rule (or maxTicks pass).
TickResult TickToEnd(CCommTicker& ticker, CSerialPort& port, std::string& pane,
                     std::string& received, int tickMs, int maxTicks = 400) {
    TickResult tick;
    for (int i = 0; i < maxTicks && !tick.finished; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(tickMs));
        tick = ticker.OnTimer(port, pane);
        received += tick.received;
    }
    return tick;
}

TEST(SerialFaults, garbageAndEveryByteValueArriveUnchangedWithFlowControlSet) {
    PtyLink link;
    ASSERT_EQ(link.choice.settings.bXonXoff, 1);
    CSerialPort port;
    CCommTicker ticker;
    std::string pane;
    ASSERT_TRUE(StartDownload(port, link.choice, ticker, pane).started);
    std::string garbage;
    for (int round = 0; round < 4; ++round) {
        for (int b = 0; b < 256; ++b)
            garbage.push_back(static_cast<char>(round % 2 ? 255 - b : b));
    }
    garbage += std::string(64, '\0') + "PT1,1,2,3\r\n";
    link.Send(garbage, &port);
    std::string received;
    const TickResult end = TickToEnd(ticker, port, pane, received, 50);
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.portLost);
    EXPECT_EQ(received, garbage) << "XON, XOFF, NUL and high bytes are data in a download";
    EXPECT_EQ(pane.substr(pane.size() - 11), "PT1,1,2,3\r\n");
}

TEST(SerialFaults, aBurstLargerThanTheInputQueueArrivesWhole) {
    PtyLink link;
    CSerialPort port;
    CCommTicker ticker;
    std::string pane;
    ASSERT_TRUE(StartDownload(port, link.choice, ticker, pane).started);
    std::string burst;
    for (int i = 0; burst.size() < 96 * 1024; ++i)
        burst += "PT" + std::to_string(i) + "," + test::GbkSample();
    // One write that blocks while the queue is full, as a fast line would fill it.
    auto writer = std::async(std::launch::async, [&] {
        size_t done = 0;
        while (done < burst.size()) {
            const ssize_t n =
                ::write(link.pty.MasterFd(), burst.data() + done, burst.size() - done);
            if (n <= 0)
                return done;
            done += static_cast<size_t>(n);
        }
        return done;
    });
    std::string received;
    const TickResult end = TickToEnd(ticker, port, pane, received, CCommTicker::kTickMs);
    EXPECT_EQ(writer.get(), burst.size());
    EXPECT_TRUE(end.finished);
    EXPECT_EQ(received.size(), burst.size());
    EXPECT_TRUE(received == burst) << "the burst arrived changed";
}

TEST(SerialFaults, anInstrumentThatGoesAwayAndComesBackCanBeDownloadedFromAgain) {
    CSerialPort port;
    CCommTicker ticker;
    std::string pane, received;
    {
        PtyLink first;
        ASSERT_TRUE(StartDownload(port, first.choice, ticker, pane).started);
        first.Send("PT1,1,2,3\r\n", &port);
        ticker.OnTimer(port, pane);
        first.pty.HangUp();
        const TickResult lost = TickToEnd(ticker, port, pane, received, 50);
        EXPECT_TRUE(lost.portLost);
        EXPECT_EQ(pane, "PT1,1,2,3\r\n") << "what came before the loss stays in the pane";
        EXPECT_FALSE(port.IsOpen());
    }
    PtyLink second;  // the instrument plugged in again
    ASSERT_TRUE(StartDownload(port, second.choice, ticker, pane).started);
    second.Send("PT2,4,5,6\r\n", &port);
    received.clear();
    const TickResult end = TickToEnd(ticker, port, pane, received, 50);
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.portLost);
    EXPECT_EQ(pane, "PT2,4,5,6\r\n");
}

TEST(SerialFaults, anXoffReceivedDuringADownloadDoesNotHoldTheNextUpload) {
    PtyLink link;
    CSerialPort port;
    CCommTicker ticker;
    std::string pane, received;
    ASSERT_TRUE(StartDownload(port, link.choice, ticker, pane).started);
    link.Send(std::string("PT1,1,2,3\r\n") + kXoff + kXoff, &port);
    TickToEnd(ticker, port, pane, received, 50);
    ASSERT_EQ(received.back(), kXoff);
    ASSERT_EQ(received.find(kXon), std::string::npos);

    UploadPacing pacing;
    pacing.pieceGapMs = pacing.lineGapMs = pacing.endDelayMs = 20;
    pacing.cancelDelayMs = 50;
    pacing.flowStepMs = 50;
    pacing.flowSteps = 6;
    CUploadWorker worker(port, pacing);
    test::TempDir dir;
    const std::string file = dir.write("c.txt", "ONE\r\nTWO\r\n");
    std::atomic<int> messages{0};
    UploadHooks hooks;
    hooks.chooseFile = [&](std::string& chosen) {
        chosen = file;
        return true;
    };
    hooks.showMessage = [&](const std::string&) { ++messages; };
    hooks.finished = [] {};
    auto recording = std::async(std::launch::async, [&] {
        sim::RecordPlan plan;
        plan.timeoutMs = 10000;
        return sim::RecordUpload(link.pty, plan);
    });
    ASSERT_TRUE(StartUpload(port, link.choice, worker, hooks, pane).started);
    EXPECT_EQ(recording.get().bytes, "ONE\r\nTWO\r\n\x04");
    worker.Wait();
    EXPECT_EQ(messages, 0) << "no \"didn't respond\" for an XOFF the download took as data";
}

}  // namespace
}  // namespace vm
