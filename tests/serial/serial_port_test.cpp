// Opening the port on a pseudo-terminal, and what the user is told when it fails.
#include <gtest/gtest.h>

#include <array>
#include <cerrno>

#include "serial/serial_port.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::PtyLink;

TEST(CSerialPort, aDeviceThatCannotServeAsThePortIsRefusedWithNothingLeftOpen) {
    CSerialPort port;
    EXPECT_EQ(port.OpenDevice("/dev/veltramarlin-no-such-port", 9600, 8, 0, 0), 0);
    EXPECT_EQ(port.OpenError(), ENOENT);
    char buffer[8];
    EXPECT_EQ(port.ReadData(buffer, sizeof buffer), 0);
    EXPECT_EQ(port.SendData("x", 1), 0);
    EXPECT_EQ(port.Close(), 1);

    EXPECT_EQ(port.OpenDevice("/dev/null", 9600, 8, 0, 0), 0) << "not a terminal";
    EXPECT_FALSE(port.IsOpen());

    // Values that pass through the settings unmapped (a hand-edited file) must
    // not open the port at some other speed or framing.
    PtyLink link;
    for (auto [baud, bits, parity, stop] : {std::array<int, 4>{0, 8, 0, 0},
                                            {9600, 9, 0, 0},
                                            {9600, 4, 0, 0},
                                            {9600, 8, 5, 0},
                                            {9600, 8, 0, 3}}) {
        EXPECT_EQ(port.OpenDevice(link.choice.devicePath, baud, static_cast<uint8_t>(bits),
                                  static_cast<uint8_t>(parity), static_cast<uint8_t>(stop)),
                  0)
            << baud << " " << bits << parity << stop;
        EXPECT_FALSE(port.IsOpen());
    }
    EXPECT_EQ(port.OpenDevice(link.choice.devicePath, 9600, 8, 0, 0), 1) << "nothing left held";
}

TEST(CSerialPort, thePortIsOursAloneWhileOpen) {
    PtyLink link;
    CSerialPort port, other;
    ASSERT_TRUE(OpenPort(port, link.choice));
    EXPECT_EQ(port.OpenDevice("/dev/veltramarlin-no-such-port", 300, 7, 2, 2), 1)
        << "an open port is kept as it is";
    EXPECT_FALSE(OpenPort(other, link.choice));
    port.Close();
    EXPECT_TRUE(OpenPort(other, link.choice)) << "and free again once closed";
}

// Both commands tell which port failed, in the status line and a message box,
// and leave the pane as it was.
TEST(StartTransfer, aMissingPortIsReportedWithItsDeviceAndThePaneKept) {
    test::Upload u;
    u.link.choice.devicePath = "/dev/veltramarlin-no-such-port";
    u.pane = "kept";
    CCommTicker ticker;
    for (const TransferStart& start :
         {StartDownload(u.port, u.link.choice, ticker, u.pane), u.Start(u.dir.file("a.txt"))}) {
        EXPECT_FALSE(start.started);
        EXPECT_EQ(
            start.status,
            "/dev/veltramarlin-no-such-port打开失败，没有这个串口，或者该串口被其它程序占用>>> "
            "找不到这个设备（未连接、已拔出或名称有误）");
        EXPECT_EQ(
            start.message,
            "/dev/veltramarlin-no-such-port打开失败!\n找不到这个设备（未连接、已拔出或名称有误）");
        EXPECT_EQ(u.pane, "kept");
        EXPECT_FALSE(u.port.IsOpen());
    }
    u.worker.Wait();
    EXPECT_EQ(u.finished, 0) << "no upload ran";
}

}  // namespace
}  // namespace vm
