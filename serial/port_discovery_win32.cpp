// The serial ports Windows knows. The device tree (SetupAPI) gives each COM
// port of a present device with Windows' own name for it, its maker and, for
// USB, the vendor and product ids and the serial number; ports that have no
// device node there (those of a driver that only writes the port map, and
// wine's) come from HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM.
#include "serial/port_discovery.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
// clang-format off
#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <devpkey.h>
#include <setupapi.h>
#include <cfgmgr32.h>
// clang-format on

#include "common/wide_text_win32.h"
#include "serial/port_device.h"
#include "serial/port_hardware_id.h"

namespace vm {
namespace {

// The device interface class of COM ports (GUID_DEVINTERFACE_COMPORT).
const GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

int PortNumber(const std::string& name) {
    return name.size() > 3 ? std::atoi(name.c_str() + 3) : 0;
}

std::string Utf8(const wchar_t* text) {
    return win32::Utf8FromWide(text, std::wcslen(text));
}

std::string RegistryText(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t text[512] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                             reinterpret_cast<BYTE*>(text), sizeof text - 2,
                                             nullptr)) {
        return std::string();
    }
    return Utf8(text);
}

// The product name the device itself reports over USB, where Windows kept it.
std::string ReportedName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t text[512] = {};
    DEVPROPTYPE type = 0;
    if (!::SetupDiGetDevicePropertyW(set, &device, &DEVPKEY_Device_BusReportedDeviceDesc, &type,
                                     reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr, 0) ||
        type != DEVPROP_TYPE_STRING) {
        return std::string();
    }
    return Utf8(text);
}

std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return std::string();
    wchar_t name[64] = {};
    DWORD size = sizeof name - 2, type = 0;
    const LONG rc =
        ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? Utf8(name) : std::string();
}

std::string InstanceId(DEVINST node) {
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    return ::CM_Get_Device_IDW(node, id, MAX_DEVICE_ID_LEN, 0) == CR_SUCCESS ? Utf8(id)
                                                                             : std::string();
}

SerialPortInfo PortOf(HDEVINFO set, SP_DEVINFO_DATA& device, const std::string& name) {
    SerialPortInfo port;
    port.kernelName = name;
    port.devicePath = port.stableName = SystemPortDevice(PortNumber(name));
    port.driver = RegistryText(set, device, SPDRP_SERVICE);
    port.manufacturer = RegistryText(set, device, SPDRP_MFG);
    port.product = ReportedName(set, device);
    if (port.product.empty())
        port.product = WithoutPortName(RegistryText(set, device, SPDRP_FRIENDLYNAME), name);
    if (port.product.empty())
        port.product = RegistryText(set, device, SPDRP_DEVICEDESC);
    // One interface of a composite USB device: its serial number is its parent's.
    if (ReadDeviceInstanceId(InstanceId(device.DevInst), port)) {
        DEVINST parent = 0;
        SerialPortInfo whole;
        if (::CM_Get_Parent(&parent, device.DevInst, 0) == CR_SUCCESS &&
            !ReadDeviceInstanceId(InstanceId(parent), whole) && whole.kind == "usb") {
            port.serialNumber = whole.serialNumber;
        }
    }
    return port;
}

bool Listed(const std::vector<SerialPortInfo>& ports, const std::string& name) {
    return std::any_of(ports.begin(), ports.end(),
                       [&](const SerialPortInfo& p) { return p.kernelName == name; });
}

// The present devices of a device set, each COM port once.
void AddDevicePorts(HDEVINFO set, std::vector<SerialPortInfo>& ports) {
    if (set == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const std::string name = PortNameOf(set, device);
        if (PortNumber(name) > 0 && name.compare(0, 3, "COM") == 0 && !Listed(ports, name))
            ports.push_back(PortOf(set, device, name));
    }
    ::SetupDiDestroyDeviceInfoList(set);
}

void AddMappedPorts(std::vector<SerialPortInfo>& ports) {
    HKEY key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS) {
        return;
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
        if (PortNumber(port.kernelName) <= 0 || Listed(ports, port.kernelName))
            continue;
        port.devicePath = port.stableName = SystemPortDevice(PortNumber(port.kernelName));
        const std::string object = win32::Utf8FromWide(driver, driverSize);
        port.driver = object.substr(object.find_last_of('\\') + 1);
        port.kind = "other";
        ports.push_back(port);
    }
    ::RegCloseKey(key);
}

}  // namespace

std::vector<SerialPortInfo> DiscoverSerialPorts(const std::string& /*root*/) {
    std::vector<SerialPortInfo> ports;
    AddDevicePorts(::SetupDiGetClassDevsW(&kComPortInterface, nullptr, nullptr,
                                          DIGCF_PRESENT | DIGCF_DEVICEINTERFACE),
                   ports);
    // Ports whose driver registers no COM port interface (some virtual ones).
    AddDevicePorts(::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT),
                   ports);
    AddMappedPorts(ports);
    std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
        return PortNumber(a.kernelName) < PortNumber(b.kernelName);
    });
    return ports;
}

}  // namespace vm
