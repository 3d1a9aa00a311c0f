// The line parameters as terminal attributes: a pseudo-terminal takes any
// framing, so the mapping is checked here rather than on the link (where the
// settings a line cannot take are refused).
#include <gtest/gtest.h>

#include <string>

#include "serial/line_params.h"

namespace vm {
namespace {

termios Cooked() {
    termios t{};
    t.c_iflag = ICRNL | IXON | IXOFF | INPCK;
    t.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

TEST(ApplyLineParameters, eachSettingHasItsFraming) {
    struct Row {
        int baud, bits, parity, stop;
        speed_t speed;
        tcflag_t framing;  // CSIZE, PARENB, PARODD and CSTOPB bits
    } rows[] = {
        {2400, 8, 0, 0, B2400, CS8},
        {38400, 7, 1, 2, B38400, CS7 | PARENB | PARODD | CSTOPB},
        {300, 8, 2, 0, B300, CS8 | PARENB},
        {9600, 8, 0, 1, B9600, CS8 | CSTOPB},  // one and a half stop bits go out as two
    };
    for (const Row& r : rows) {
        termios t = Cooked();
        const std::string row = std::to_string(r.baud) + " " + std::to_string(r.bits) +
                                std::to_string(r.parity) + std::to_string(r.stop);
        ASSERT_TRUE(ApplyLineParameters(t, r.baud, static_cast<uint8_t>(r.bits),
                                        static_cast<uint8_t>(r.parity),
                                        static_cast<uint8_t>(r.stop)))
            << row;
        EXPECT_EQ(cfgetospeed(&t), r.speed) << row;
        EXPECT_EQ(cfgetispeed(&t), r.speed) << row;
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB), r.framing) << row;
        EXPECT_TRUE(t.c_cflag & CRTSCTS) << "hardware flow control keeps the device's choice";
    }
    for (int baud : {300, 1200, 2400, 4800, 9600, 19200, 38400}) {
        speed_t speed{};
        EXPECT_TRUE(BaudToSpeed(baud, speed)) << baud;
    }
}

}  // namespace
}  // namespace vm
