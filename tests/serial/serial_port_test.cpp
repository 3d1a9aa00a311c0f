#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>

#include "serial/serial_port.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::PtyLink;
using Clock = std::chrono::steady_clock;

int OpenOn(CSerialPort& port, const PortChoice& c) {
    return port.OpenDevice(c.devicePath, c.settings.nBaud, c.settings.byByteSize,
                           c.settings.byParity, c.settings.byStopBits);
}

TEST(CSerialPort, aMissingDeviceFailsAndLeavesNothingOpen) {
    CSerialPort port;
    EXPECT_EQ(port.OpenDevice("/dev/veltramarlin-no-such-port", 9600, 8, 0, 0), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenError(), ENOENT);
    char buffer[8];
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer), 0);
    EXPECT_EQ(port.SendData("x", 1), 0);
    EXPECT_EQ(port.Close(), 1);
    EXPECT_EQ(port.Close(), 1);
}

TEST(CSerialPort, aFileThatIsNoTerminalIsRefused) {
    CSerialPort port;
    EXPECT_EQ(port.OpenDevice("/dev/null", 9600, 8, 0, 0), 0);
    EXPECT_FALSE(port.IsOpen());
}

TEST(CSerialPort, parametersTheLineCannotTakeRefuseTheOpen) {
    PtyLink link;
    CSerialPort port;
    EXPECT_EQ(port.OpenDevice(link.choice.devicePath, 12345, 8, 0, 0), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenDevice(link.choice.devicePath, 9600, 8, 0, 0), 1) << "nothing left held";
}

TEST(CSerialPort, openOnAnOpenPortKeepsItAndASecondOpenerIsRefused) {
    PtyLink link;
    CSerialPort port, other;
    ASSERT_EQ(OpenOn(port, link.choice), 1);
    EXPECT_EQ(port.OpenDevice("/dev/veltramarlin-no-such-port", 300, 7, 2, 2), 1);
    EXPECT_EQ(OpenOn(other, link.choice), 0) << "the port is ours alone while open";
    port.Close();
    EXPECT_EQ(OpenOn(other, link.choice), 1) << "and free again once closed";
}

TEST(CSerialPort, readsTakeWhatIsQueuedWithoutWaiting) {
    PtyLink link;
    CSerialPort port;
    ASSERT_EQ(OpenOn(port, link.choice), 1);
    char buffer[16];
    const auto before = Clock::now();
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer), 0);
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(100));

    link.Send("ABC\r\nDEF", &port);
    EXPECT_EQ(port.ReadData(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "ABC\r");
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer), 4);
    EXPECT_EQ(std::string(buffer, 4), "\nDEF");
}

TEST(CSerialPort, writesReachTheInstrumentUnchanged) {
    PtyLink link;
    CSerialPort port;
    ASSERT_EQ(OpenOn(port, link.choice), 1);
    EXPECT_EQ(port.SendData("", 0), 0);
    const std::string bytes = "P1,1,2,3\r\n\n\x11\x13\x04" + test::GbkSample();
    EXPECT_EQ(port.SendData(bytes.data(), static_cast<int>(bytes.size())),
              static_cast<int>(bytes.size()));
    port.DrainOutput();
    EXPECT_EQ(link.Receive(bytes.size()), bytes);
}

TEST(CSerialPort, purgeDiscardsWhatArrivedBefore) {
    PtyLink link;
    CSerialPort port;
    ASSERT_EQ(OpenOn(port, link.choice), 1);
    link.Send("stale", &port);
    port.Purge();
    char buffer[16];
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer), 0);
}

TEST(CSerialPort, aDeviceThatGoesAwayIsNoticedAndWritesStaySilent) {
    PtyLink link;
    CSerialPort port;
    ASSERT_EQ(OpenOn(port, link.choice), 1);
    EXPECT_FALSE(port.IsLost());
    link.pty.HangUp();
    char buffer[16];
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer), 0);
    EXPECT_TRUE(port.IsLost());
    EXPECT_EQ(port.SendData("abc", 3), 3);
    EXPECT_EQ(port.Close(), 1);
    EXPECT_FALSE(port.IsLost());
}

}  // namespace
}  // namespace vm
