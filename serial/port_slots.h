#pragma once
// A discovered device chosen in the settings is stored the way older settings
// files already name devices: Port=<n-1> and Device<n>=<stable name>, so a
// file written now still works with earlier versions, and a re-plugged adapter
// (which may come back as another ttyUSB number) is found again by its by-id
// name.

#include <string>
#include <vector>

#include "serial/port_discovery.h"

namespace vm {

inline constexpr int kNumberedPorts = 8;

// The port number (1-8) for device: the one that stands for it already (by
// its Device<n> entry, or as the built-in port /dev/ttyS<n-1>); else the first whose Device<n> is
// empty and whose built-in port /dev/ttyS<n-1> is not among the discovered ones; else 8.
int PortNumberForDevice(const std::string& iniPath, const SerialPortInfo& device,
                        const std::vector<SerialPortInfo>& discovered);

// The name stored for device: its stable name (by-id) where it has one.
inline const std::string& StoredDeviceName(const SerialPortInfo& device) {
    return device.stableName;
}

// Writes Device<port>=name into section ComConfig; false with a message on failure.
bool StorePortDevice(const std::string& iniPath, int port, const std::string& name,
                     std::string* error = nullptr);

}  // namespace vm
