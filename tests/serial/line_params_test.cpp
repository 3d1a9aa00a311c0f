#include <gtest/gtest.h>

#include <cstring>

#include "serial/line_params.h"

namespace vm {
namespace {

termios Cooked() {
    termios t{};
    t.c_iflag = ICRNL | IXON | IXOFF | INPCK;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

TEST(ApplyLineParameters, everyListedSettingHasItsFraming) {
    termios t = Cooked();
    ASSERT_TRUE(ApplyLineParameters(t, 2400, 8, 0, 0));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B2400));
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B2400));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CSTOPB), 0u);
    EXPECT_TRUE(t.c_cflag & CRTSCTS) << "hardware flow control keeps the device's choice";

    ASSERT_TRUE(ApplyLineParameters(t, 38400, 7, 1, 2));  // 7 odd, two stop bits
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B38400));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB | PARODD));
    EXPECT_TRUE(t.c_cflag & CSTOPB);

    ASSERT_TRUE(ApplyLineParameters(t, 300, 8, 2, 0));  // even
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB));
    EXPECT_FALSE(t.c_cflag & CSTOPB);

    for (int baud : {300, 1200, 2400, 4800, 9600, 19200, 38400}) {
        speed_t speed{};
        EXPECT_TRUE(BaudToSpeed(baud, speed)) << baud;
    }
}

TEST(ApplyLineParameters, oneAndAHalfStopBitsAreSentAsTwo) {
    termios t = Cooked();
    ASSERT_TRUE(ApplyLineParameters(t, 9600, 8, 0, 1));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
}

TEST(ApplyLineParameters, whatTheLineCannotDoIsRefusedAndLeavesTheAttributes) {
    // Values that pass through the settings unmapped (a hand-edited file) must
    // not open the port at some other speed or framing.
    const termios before = Cooked();
    for (auto bad : {std::array<int, 4>{12345, 8, 0, 0}, std::array<int, 4>{9600, 9, 0, 0},
                     std::array<int, 4>{9600, 4, 0, 0}, std::array<int, 4>{9600, 8, 5, 0},
                     std::array<int, 4>{9600, 8, 0, 3}}) {
        termios t = before;
        EXPECT_FALSE(ApplyLineParameters(t, bad[0], static_cast<uint8_t>(bad[1]),
                                         static_cast<uint8_t>(bad[2]),
                                         static_cast<uint8_t>(bad[3])));
        EXPECT_EQ(std::memcmp(&t, &before, sizeof t), 0);
    }
}

TEST(MakeRawTransfer, passesEveryByteThroughAndReadsWithoutWaiting) {
    termios t = Cooked();
    MakeRawTransfer(t);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_FALSE(t.c_iflag & (ICRNL | IXON | IXOFF)) << "CR, XON and XOFF reach the program";
    EXPECT_FALSE(t.c_oflag & OPOST) << "LF is not turned into CR LF on the way out";
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

}  // namespace
}  // namespace vm
