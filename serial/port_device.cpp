#include "serial/port_device.h"

#include "common/ini_file.h"
#include "serial/com_settings.h"

namespace vm {

std::string PortDevicePath(const std::string& iniPath, int port) {
    const std::string key = "Device" + std::to_string(port);
    const std::string named = IniGetString(iniPath, kComConfigSection, key, std::string());
    if (!named.empty())
        return named;
    return SystemPortDevice(port);
}

}  // namespace vm
