#pragma once
// The four line parameters of the settings (baud rate, data bits, parity code,
// stop-bits code) expressed as terminal attributes, without touching a device,
// so the mapping can be checked where the device itself would ignore it
// (pseudo-terminals take any parity and data bits).
//
// Codes follow the settings: parity 0 none, 1 odd, 2 even, 3 mark, 4 space;
// stop bits 0 one, 1 one and a half, 2 two. Terminal attributes know only one
// or two stop bits; one and a half is sent as two, which every receiver set to
// one and a half accepts (a longer stop interval is only a longer idle line),
// while our own receiver checks the first stop bit only.

#include <cstdint>
#include <termios.h>

namespace vm {

// Sets speed, character size, parity and stop bits in attrs. False (attrs
// untouched) for a value the terminal layer cannot express, so the port
// refuses to open rather than talk at the wrong speed or framing.
bool ApplyLineParameters(termios& attrs, int32_t nBaud, uint8_t byByteSize, uint8_t byParity,
                         uint8_t byStopBits);

// Character size, parity and stop bits alone, for a speed set another way.
bool ApplyFraming(termios& attrs, uint8_t byByteSize, uint8_t byParity, uint8_t byStopBits);

// RTS/CTS hardware flow control on or off, as the protocol setting chooses.
void SetHardwareFlow(termios& attrs, bool on);

// Raw byte transfer: no line editing, echo, signals or character translation;
// reads return at once with what is queued; modem lines ignored. Software flow
// control is switched off in the driver because the upload watches for the
// instrument's XON/XOFF itself; hardware flow control is left to SetHardwareFlow.
void MakeRawTransfer(termios& attrs);

// The terminal speed constant for a baud rate; false when there is none.
bool BaudToSpeed(int32_t nBaud, speed_t& speed);

}  // namespace vm
