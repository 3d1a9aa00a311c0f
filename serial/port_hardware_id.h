#pragma once
// What a Windows device instance id tells about a serial port's hardware:
//   USB\VID_0403&PID_6001\A10K1ZQ8          a USB device and its serial number
//   USB\VID_067B&PID_2303&MI_00\6&2C6&0&1   one interface of a composite device
//   FTDIBUS\VID_0403+PID_6001+A10K1ZQ8A\0000  FTDI's own bus driver
//   BTHENUM\{...}_LOCALMFG&0002\7&...       a Bluetooth serial link
//   ACPI\PNP0501\1                          an on-board UART

#include <string>
#include <string_view>

#include "serial/port_discovery.h"

namespace vm {

// Fills kind ("usb", "bluetooth", "onboard" or "other"), vendorId, productId
// (upper-case hex) and serialNumber from the instance id. An instance part
// that Windows made up (holding '&') is no serial number. True when the id
// names an interface of a composite USB device, whose serial number is in its
// parent's id.
bool ReadDeviceInstanceId(std::string_view id, SerialPortInfo& port);

// "USB Serial Port (COM3)" -> "USB Serial Port": Windows' friendly name without the port.
std::string WithoutPortName(const std::string& friendlyName, const std::string& portName);

}  // namespace vm
