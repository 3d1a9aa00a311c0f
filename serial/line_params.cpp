#include "serial/line_params.h"

namespace vm {

bool BaudToSpeed(int32_t nBaud, speed_t& speed) {
    struct Entry {
        int32_t baud;
        speed_t speed;
    };
    static const Entry kSpeeds[] = {
        {50, B50},       {75, B75},         {110, B110},       {134, B134},     {150, B150},
        {200, B200},     {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
        {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400},
    };
    for (const Entry& e : kSpeeds) {
        if (e.baud == nBaud) {
            speed = e.speed;
            return true;
        }
    }
    return false;
}

namespace {

bool SizeFlag(uint8_t byByteSize, tcflag_t& flag) {
    switch (byByteSize) {
        case 5:
            flag = CS5;
            return true;
        case 6:
            flag = CS6;
            return true;
        case 7:
            flag = CS7;
            return true;
        case 8:
            flag = CS8;
            return true;
        default:
            return false;
    }
}

bool ParityFlags(uint8_t byParity, tcflag_t& flags) {
    switch (byParity) {
        case 0:
            flags = 0;
            return true;
        case 1:
            flags = PARENB | PARODD;
            return true;
        case 2:
            flags = PARENB;
            return true;
#ifdef CMSPAR
        case 3:
            flags = PARENB | CMSPAR | PARODD;
            return true;  // mark
        case 4:
            flags = PARENB | CMSPAR;
            return true;  // space
#endif
        default:
            return false;
    }
}

bool StopFlags(uint8_t byStopBits, tcflag_t& flags) {
    switch (byStopBits) {
        case 0:
            flags = 0;
            return true;
        case 1:  // one and a half: sent as two (see the header)
        case 2:
            flags = CSTOPB;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool ApplyFraming(termios& attrs, uint8_t byByteSize, uint8_t byParity, uint8_t byStopBits) {
    tcflag_t size = 0, parity = 0, stop = 0;
    if (!SizeFlag(byByteSize, size) || !ParityFlags(byParity, parity) ||
        !StopFlags(byStopBits, stop)) {
        return false;
    }
    tcflag_t cleared = CSIZE | PARENB | PARODD | CSTOPB;
#ifdef CMSPAR
    cleared |= CMSPAR;
#endif
    attrs.c_cflag = (attrs.c_cflag & ~cleared) | size | parity | stop;
    // Received parity errors are passed on as they are, as the instrument's text is.
    attrs.c_iflag &= ~(INPCK | PARMRK);
    return true;
}

bool ApplyLineParameters(termios& attrs, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                         uint8_t byStopBits) {
    speed_t speed{};
    termios framed = attrs;
    if (!BaudToSpeed(nBaud, speed) || !ApplyFraming(framed, byByteSize, byParity, byStopBits))
        return false;
    attrs = framed;
    cfsetispeed(&attrs, speed);
    cfsetospeed(&attrs, speed);
    return true;
}

void SetHardwareFlow(termios& attrs, bool on) {
    if (on)
        attrs.c_cflag |= CRTSCTS;
    else
        attrs.c_cflag &= ~CRTSCTS;
}

void MakeRawTransfer(termios& attrs) {
    attrs.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
#ifdef IXANY
    attrs.c_iflag &= ~IXANY;
#endif
    attrs.c_oflag &= ~OPOST;
    attrs.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    attrs.c_cflag |= CREAD | CLOCAL;
    attrs.c_cc[VMIN] = 0;
    attrs.c_cc[VTIME] = 0;
}

}  // namespace vm
