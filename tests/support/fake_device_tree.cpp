#include "tests/support/fake_device_tree.h"

#include <filesystem>
#include <fstream>

namespace vm::test {

namespace fs = std::filesystem;

void FakeDeviceTree::Write(const std::string& path, const std::string& text) const {
    fs::create_directories(fs::path(m_root + path).parent_path());
    std::ofstream(m_root + path) << text << "\n";
}

void FakeDeviceTree::Link(const std::string& target, const std::string& path) const {
    fs::create_directories(fs::path(m_root + path).parent_path());
    fs::remove(m_root + path);
    fs::create_symlink(target, m_root + path);
}

void FakeDeviceTree::Device(const std::string& device, const std::string& kernel,
                            const std::string& bus, const std::string& driver) const {
    const std::string classDevice = device + "/tty/" + kernel;
    fs::create_directories(m_root + classDevice);
    Link(m_root + "/sys/bus/" + bus, device + "/subsystem");
    Link(m_root + "/sys/bus/" + bus + "/drivers/" + driver, device + "/driver");
    Link(m_root + device, classDevice + "/device");
    Link(m_root + classDevice, "/sys/class/tty/" + kernel);
}

void FakeDeviceTree::AddUsb(const FakeUsbDevice& d) {
    const bool acm = d.kernel.rfind("ttyACM", 0) == 0;
    const std::string name = "1-" + std::to_string(++m_usbCount);
    const std::string usb = "/sys/devices/pci0000:00/usb1/" + name;
    const std::string iface = usb + "/" + name + ":1.0";
    const std::pair<const char*, std::string> attributes[] = {{"idVendor", d.vendorId},
                                                              {"idProduct", d.productId},
                                                              {"manufacturer", d.manufacturer},
                                                              {"product", d.product},
                                                              {"serial", d.serial}};
    for (const auto& [attribute, value] : attributes) {
        if (!value.empty())
            Write(usb + "/" + attribute, value);
    }
    if (acm) {
        Device(iface, d.kernel, "usb", "cdc_acm");
    } else {
        Link(m_root + "/sys/bus/usb", iface + "/subsystem");
        Device(iface + "/" + d.kernel, d.kernel, "usb-serial", "ftdi_sio");
    }
    if (!d.byId.empty())
        Link("../../" + d.kernel, "/dev/serial/by-id/" + d.byId);
}

void FakeDeviceTree::AddOnboard(const std::string& kernel, const std::string& type,
                                const std::string& bus) {
    const std::string device = "/sys/devices/" + bus + "0/" + kernel + "-port";
    Device(device, kernel, bus, "serial8250");
    if (!type.empty())
        Write(device + "/tty/" + kernel + "/type", type);
}

void FakeDeviceTree::AddVirtual(const std::string& kernel) const {
    const std::string device = "/sys/devices/virtual/tty/" + kernel;
    fs::create_directories(m_root + device);
    Link(m_root + device, "/sys/class/tty/" + kernel);
}

}  // namespace vm::test
