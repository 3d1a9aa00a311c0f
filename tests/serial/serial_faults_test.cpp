// The link under the faults a real line shows: garbage and every byte value,
// a burst larger than the device's input queue, an instrument that goes away
// and comes back as a new device, and flow-control bytes arriving during a
// download. Nothing received may be lost and the program must stay usable.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

#include "serial/transfer_texts.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::Download;

TEST(SerialFaults, aBurstOfEveryByteValueLargerThanTheInputQueueArrivesWhole) {
    Download d;
    ASSERT_TRUE(d.start.started);
    ASSERT_EQ(d.link.choice.settings.bXonXoff, 1);
    std::string burst;
    for (int round = 0; burst.size() < 96 * 1024; ++round) {
        for (int b = 0; b < 256; ++b)
            burst.push_back(static_cast<char>(round % 2 ? 255 - b : b));
        burst += std::string(64, '\0') + "PT" + std::to_string(round) + "," + test::GbkSample();
    }
    // One write that blocks while the queue is full, as a fast line would fill it.
    auto writer = std::async(std::launch::async, [&] {
        size_t done = 0;
        while (done < burst.size()) {
            const ssize_t n =
                ::write(d.link.pty.MasterFd(), burst.data() + done, burst.size() - done);
            if (n <= 0)
                return done;
            done += static_cast<size_t>(n);
        }
        return done;
    });
    std::string received;
    const TickResult end = d.TickToEnd(received, CCommTicker::kTickMs);
    EXPECT_EQ(writer.get(), burst.size());
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.portLost);
    EXPECT_EQ(received.size(), burst.size());
    EXPECT_TRUE(received == burst) << "XON, XOFF, NUL and high bytes are data in a download";
    // A NUL cannot stand in the pane's text: it is left out, and what follows it stays.
    burst.erase(std::remove(burst.begin(), burst.end(), '\0'), burst.end());
    EXPECT_TRUE(d.pane == burst);
}

TEST(SerialFaults, anInstrumentThatGoesAwayEndsTheDownloadAndCanBeDownloadedFromAgain) {
    Download d;
    d.Send("PT1,1,2,3\r\n");
    d.Tick();
    d.link.pty.HangUp();
    const TickResult lost = d.Tick();
    EXPECT_TRUE(lost.finished);
    EXPECT_TRUE(lost.portLost);
    EXPECT_EQ(lost.status, PortLostStatus(3));
    EXPECT_EQ(d.pane, "PT1,1,2,3\r\n") << "what came before the loss stays in the pane";
    EXPECT_FALSE(d.port.IsOpen());

    test::PtyLink again;  // the instrument plugged in again
    ASSERT_TRUE(StartDownload(d.port, again.choice, d.ticker, d.pane).started);
    again.Send("PT2,4,5,6\r\n", &d.port);
    std::string received;
    const TickResult end = d.TickToEnd(received);
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.portLost);
    EXPECT_EQ(d.pane, "PT2,4,5,6\r\n");
}

TEST(SerialFaults, anXoffReceivedDuringADownloadDoesNotHoldTheNextUpload) {
    test::Upload u;
    CCommTicker ticker;
    ASSERT_TRUE(StartDownload(u.port, u.link.choice, ticker, u.pane).started);
    u.link.Send(std::string("PT1,1,2,3\r\n") + kXoff + kXoff, &u.port);
    for (int i = 0; i < 20 && !ticker.OnTimer(u.port, u.pane).finished; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(u.pane, std::string("PT1,1,2,3\r\n") + kXoff + kXoff);

    auto recording = u.Record();
    ASSERT_TRUE(u.Start(u.dir.write("c.txt", "ONE\r\nTWO\r\n")).started);
    EXPECT_EQ(recording.get().bytes, "ONE\r\nTWO\r\n\x04");
    u.worker.Wait();
    EXPECT_TRUE(u.messages.empty())
        << "no \"didn't respond\" for an XOFF the download took as data";
}

}  // namespace
}  // namespace vm
