#include "serial/port_slots.h"

#include "common/ini_file.h"
#include "serial/com_settings.h"
#include "serial/port_device.h"

namespace vm {
namespace {

std::string NamedDevice(const std::string& iniPath, int port) {
    return IniGetString(iniPath, kComConfigSection, "Device" + std::to_string(port), "");
}

}  // namespace

int PortNumberForDevice(const std::string& iniPath, const SerialPortInfo& device,
                        const std::vector<SerialPortInfo>& discovered) {
    for (int n = 1; n <= kNumberedPorts; ++n) {
        const std::string path = PortDevicePath(iniPath, n);
        if (path == device.stableName || path == device.devicePath)
            return n;
    }
    for (int n = 1; n <= kNumberedPorts; ++n) {
        if (NamedDevice(iniPath, n).empty() &&
            FindDiscoveredPort(discovered, PortDevicePath(iniPath, n)) < 0) {
            return n;
        }
    }
    return kNumberedPorts;
}

bool StorePortDevice(const std::string& iniPath, int port, const std::string& name,
                     std::string* error) {
    return IniWriteString(iniPath, kComConfigSection, "Device" + std::to_string(port), name, error);
}

}  // namespace vm
