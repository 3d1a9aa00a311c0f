#pragma once
// Line speeds beyond the terminal layer's fixed list (14400, 28800, 56000,
// 128000, 250000, ...), through the kernel's second terminal interface. Kept
// apart from tty_device.cpp because its kernel header clashes with <termios.h>.

#include <cstdint>

namespace vm::tty {

// Asks the driver for exactly baud bits per second on both directions.
bool SetAnySpeed(int fd, int32_t baud);

// The output speed the driver reports it runs at (0 when it cannot tell).
int32_t ReportedSpeed(int fd);

}  // namespace vm::tty
