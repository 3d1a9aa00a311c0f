#include "serial/port_hardware_id.h"

#include <cctype>

namespace vm {
namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The four hex digits after key ("VID_"), or "".
std::string HexAfter(const std::string& id, const char* key) {
    const size_t at = id.find(key);
    if (at == std::string::npos || at + 8 > id.size())
        return std::string();
    const std::string digits = id.substr(at + 4, 4);
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::string();
    }
    return digits;
}

}  // namespace

bool ReadDeviceInstanceId(std::string_view id, SerialPortInfo& port) {
    const std::string upper = Upper(id);
    const size_t first = upper.find('\\');
    const std::string bus = upper.substr(0, first);
    const size_t last = upper.rfind('\\');
    const std::string instance = last == std::string::npos || last == first
                                     ? std::string()
                                     : std::string(id.substr(last + 1));
    port.kind = "other";
    if (bus == "USB" || bus == "FTDIBUS") {
        port.kind = "usb";
        port.vendorId = HexAfter(upper, "VID_");
        port.productId = HexAfter(upper, "PID_");
        if (bus == "FTDIBUS") {
            // VID_0403+PID_6001+SERIAL\0000: the serial number is the third part.
            const size_t plus = upper.find('+', upper.find("PID_"));
            const size_t end = upper.find('\\', first + 1);
            if (plus != std::string::npos && end != std::string::npos && plus < end)
                port.serialNumber = std::string(id.substr(plus + 1, end - plus - 1));
            return false;
        }
        if (instance.find('&') == std::string::npos)
            port.serialNumber = instance;
        return upper.find("&MI_") != std::string::npos;
    }
    if (bus == "BTHENUM" || bus == "BTHMODEM")
        port.kind = "bluetooth";
    else if (bus == "ACPI" || bus == "ROOT" || bus == "PNP")
        port.kind = upper.find("PNP0501") != std::string::npos ? "onboard" : "other";
    return false;
}

std::string WithoutPortName(const std::string& friendlyName, const std::string& portName) {
    const std::string tail = " (" + portName + ")";
    if (friendlyName.size() > tail.size() &&
        friendlyName.compare(friendlyName.size() - tail.size(), tail.size(), tail) == 0) {
        return friendlyName.substr(0, friendlyName.size() - tail.size());
    }
    return friendlyName;
}

}  // namespace vm
