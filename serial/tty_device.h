#pragma once
// The operating system's serial device calls, in one place: everything the
// port needs from a POSIX terminal device. A build for another system puts its
// own version of these few functions beside this one.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vm::tty {

// Opens path for reading and writing, exclusively (no second program may open
// it while we hold it), without becoming its controlling terminal and without
// waiting for a carrier. Returns the descriptor, or -1 with errno in error.
int OpenExclusive(const std::string& path, int& error);

enum class ConfigureResult { Done, FramingRefused, SpeedRefused, Failed };

// Raw transfer with the four line parameters (see line_params.h) and RTS/CTS
// flow control on or off. Any positive rate is asked for; a rate the driver
// does not take (or only far from it) is SpeedRefused.
ConfigureResult Configure(int fd, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                          uint8_t byStopBits, bool hardwareFlow);

void CloseDevice(int fd);

// Bytes waiting in the input queue; -1 when the device is gone.
long QueuedInput(int fd);

// True when the device has hung up or reports an error (unplugged adapter,
// closed far end of a pseudo-terminal).
bool HasHungUp(int fd);

// Reads at most count queued bytes without waiting: the count read, 0 when
// nothing was queued, -1 when the device is gone.
long ReadQueued(int fd, char* buffer, size_t count);

enum class WriteResult { Done, TimedOut, Gone };

// Hands one byte to the device, waiting at most timeoutMs for room.
WriteResult WriteByte(int fd, uint8_t byte, int timeoutMs);

// Bytes handed to the device that have not gone out yet (0 when unknown).
long PendingOutput(int fd);

void DiscardInput(int fd);
void DiscardOutput(int fd);

}  // namespace vm::tty
