// The serial ports Windows has mapped: the values under
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, each a port's driver
// object ("\Device\Serial0", "\Device\VCP0") with its name ("COM1") as data.
// Vendor and product details would need the SetupAPI and are not read here.
#include "serial/port_discovery.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <windows.h>

#include "common/wide_text_win32.h"
#include "serial/port_device.h"

namespace vm {
namespace {

int PortNumber(const std::string& name) {
    return name.size() > 3 ? std::atoi(name.c_str() + 3) : 0;
}

}  // namespace

std::vector<SerialPortInfo> DiscoverSerialPorts(const std::string& /*root*/) {
    std::vector<SerialPortInfo> ports;
    HKEY key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS) {
        return ports;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t driver[256];
        wchar_t name[64];
        DWORD driverSize = 256, nameSize = sizeof name, type = 0;
        const LONG rc = ::RegEnumValueW(key, i, driver, &driverSize, nullptr, &type,
                                        reinterpret_cast<BYTE*>(name), &nameSize);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS || type != REG_SZ)
            continue;
        SerialPortInfo port;
        port.kernelName = win32::Utf8FromWide(name, wcsnlen(name, nameSize / sizeof(wchar_t)));
        port.devicePath = port.stableName = SystemPortDevice(PortNumber(port.kernelName));
        const std::string object = win32::Utf8FromWide(driver, driverSize);
        port.driver = object.substr(object.find_last_of('\\') + 1);
        port.kind = "other";
        ports.push_back(port);
    }
    ::RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
        return PortNumber(a.kernelName) < PortNumber(b.kernelName);
    });
    return ports;
}

}  // namespace vm
