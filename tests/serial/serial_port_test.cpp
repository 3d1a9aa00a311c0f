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

}  // namespace
}  // namespace vm
