// Serial devices from sysfs, the way the system's own tools find them: every
// entry of /sys/class/tty that has a device behind it (virtual consoles and
// pseudo-terminals have none), USB details from the USB device above the
// interface, and stable names from the links in /dev/serial/by-id.
#include "serial/port_discovery.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d)) {
            if (e->d_name[0] != '.')
                names.emplace_back(e->d_name);
        }
        ::closedir(d);
    }
    return names;
}

std::string ReadAttribute(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

std::string LinkBaseName(const std::string& link) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return std::string();
    const std::string text(target, static_cast<size_t>(n));
    return text.substr(text.rfind('/') + 1);
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string Parent(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// Serial-core ports report their UART type; 0 means no UART answers at that
// address (the kernel keeps placeholders ttyS0-ttyS31 whether or not one does).
bool HasUart(const std::string& classEntry, const std::string& subsystem) {
    const std::string type = ReadAttribute(classEntry + "/type");
    if (!type.empty())
        return std::atoi(type.c_str()) != 0;
    return subsystem != "platform";
}

void ReadUsbDetails(const std::string& device, const std::string& subsystem, SerialPortInfo& p) {
    // A USB-serial converter's port sits below its interface; a CDC-ACM
    // device's tty hangs off the interface itself.
    const std::string real = RealPath(device);
    const std::string usbDevice = Parent(subsystem == "usb-serial" ? Parent(real) : real);
    p.kind = "usb";
    p.vendorId = ReadAttribute(usbDevice + "/idVendor");
    p.productId = ReadAttribute(usbDevice + "/idProduct");
    p.manufacturer = ReadAttribute(usbDevice + "/manufacturer");
    p.product = ReadAttribute(usbDevice + "/product");
    p.serialNumber = ReadAttribute(usbDevice + "/serial");
}

// Kernel name -> by-id link, for the devices that udev gave one.
std::vector<std::pair<std::string, std::string>> StableNames(const std::string& root) {
    std::vector<std::pair<std::string, std::string>> names;
    const std::string dir = "/dev/serial/by-id";
    std::vector<std::string> links = Entries(root + dir);
    std::sort(links.begin(), links.end());
    for (const std::string& link : links) {
        const std::string target = LinkBaseName(root + dir + "/" + link);
        if (!target.empty())
            names.emplace_back(target, dir + "/" + link);
    }
    return names;
}

// ttyUSB2 before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1])))
            --digits;
        return std::make_pair(s.substr(0, digits),
                              digits < s.size() ? std::atol(s.c_str() + digits) : -1L);
    };
    return split(a) < split(b);
}

}  // namespace

std::vector<SerialPortInfo> DiscoverSerialPorts(const std::string& root) {
    const std::string classDir = root + "/sys/class/tty";
    const auto stable = StableNames(root);
    std::vector<SerialPortInfo> ports;
    for (const std::string& name : Entries(classDir)) {
        const std::string entry = classDir + "/" + name;
        const std::string device = entry + "/device";
        SerialPortInfo p;
        p.kernelName = name;
        p.devicePath = "/dev/" + name;
        if (!Exists(device)) {
            if (name.rfind("rfcomm", 0) != 0)
                continue;  // a virtual terminal
            p.kind = "bluetooth";
        } else {
            const std::string subsystem = LinkBaseName(device + "/subsystem");
            p.driver = LinkBaseName(device + "/driver");
            if (!HasUart(entry, subsystem))
                continue;
            if (subsystem == "usb" || subsystem == "usb-serial")
                ReadUsbDetails(device, subsystem, p);
            else
                p.kind = name.rfind("ttyS", 0) == 0 ? "onboard" : "other";
        }
        p.stableName = p.devicePath;
        for (const auto& [kernel, link] : stable) {
            if (kernel == name) {
                p.stableName = link;
                break;
            }
        }
        ports.push_back(std::move(p));
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
        return NaturalLess(a.kernelName, b.kernelName);
    });
    return ports;
}

}  // namespace vm
