#pragma once
// The serial devices of this machine, as the settings dialog and the command
// line list them: USB adapters and USB instruments, Bluetooth serial links and
// the on-board ports that really have a UART behind them.

#include <string>
#include <vector>

namespace vm {

struct SerialPortInfo {
    std::string devicePath;  // "/dev/ttyUSB0"
    std::string kernelName;  // "ttyUSB0"
    std::string stableName;  // "/dev/serial/by-id/usb-FTDI_..." where there is one, else devicePath
    std::string driver;      // "ftdi_sio", "cdc_acm", "serial8250", ...
    std::string kind;        // "usb", "onboard", "bluetooth" or "other"
    std::string vendorId, productId;  // USB ids as four hex digits
    std::string manufacturer, product, serialNumber;
};

// Every serial device under root ("" for the running system; tests give a
// folder holding a fake sys/ and dev/ tree). Paths in the result are those of
// the system itself, without root. Sorted by kernel name, numbers in order.
std::vector<SerialPortInfo> DiscoverSerialPorts(const std::string& root = std::string());

// What the user recognises: "USB 串口 FT232R USB UART (/dev/ttyUSB0)".
std::string PortDisplayName(const SerialPortInfo& port);

// The line's description for the command line: vendor, product, ids, serial number.
std::string PortDescription(const SerialPortInfo& port);

// The discovered device that path names (its stable name or device path), or -1.
int FindDiscoveredPort(const std::vector<SerialPortInfo>& ports, const std::string& path);

}  // namespace vm
