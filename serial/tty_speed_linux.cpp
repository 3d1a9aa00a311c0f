#include "serial/tty_speed_linux.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vm::tty {

bool SetAnySpeed(int fd, int32_t baud) {
    termios2 attrs{};
    if (baud <= 0 || ::ioctl(fd, TCGETS2, &attrs) != 0)
        return false;
    attrs.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    attrs.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    attrs.c_ispeed = static_cast<speed_t>(baud);
    attrs.c_ospeed = static_cast<speed_t>(baud);
    return ::ioctl(fd, TCSETS2, &attrs) == 0;
}

int32_t ReportedSpeed(int fd) {
    termios2 attrs{};
    if (::ioctl(fd, TCGETS2, &attrs) != 0)
        return 0;
    return static_cast<int32_t>(attrs.c_ospeed);
}

}  // namespace vm::tty
