#include "serial/port_discovery.h"

#include <initializer_list>

namespace vm {
namespace {

std::string Joined(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += part;
    }
    return text;
}

// The name the user knows the device by: "COM3" rather than "\\.\COM3".
std::string ShownPath(const std::string& devicePath) {
    return devicePath.rfind("\\\\.\\", 0) == 0 ? devicePath.substr(4) : devicePath;
}

}  // namespace

std::string PortDisplayName(const SerialPortInfo& p) {
    std::string name;
    if (p.kind == "usb") {
        const std::string ids = p.vendorId.empty() ? std::string() : p.vendorId + ":" + p.productId;
        name = Joined({"USB 串口", p.product.empty() ? ids : p.product});
    } else if (p.kind == "onboard") {
        name = "板载串口";
    } else if (p.kind == "bluetooth") {
        name = "蓝牙串口";
    } else {
        name = Joined({"串口", p.driver});
    }
    return name + " (" + ShownPath(p.devicePath) + ")";
}

std::string PortDescription(const SerialPortInfo& p) {
    if (p.kind != "usb")
        return PortDisplayName(p).substr(0, PortDisplayName(p).find(" ("));
    std::string text = Joined({"USB 串口", p.manufacturer, p.product});
    if (!p.vendorId.empty())
        text += " [" + p.vendorId + ":" + p.productId + "]";
    if (!p.serialNumber.empty())
        text += " 序列号 " + p.serialNumber;
    return text;
}

int FindDiscoveredPort(const std::vector<SerialPortInfo>& ports, const std::string& path) {
    for (size_t i = 0; i < ports.size(); ++i) {
        if (!path.empty() && (ports[i].stableName == path || ports[i].devicePath == path))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vm
