#include "tests/support/fake_device_tree.h"

#include <filesystem>
#include <fstream>

namespace vm::test {

namespace fs = std::filesystem;

std::string FakeDeviceTree::Dir(const std::string& path) const {
    fs::create_directories(m_root + path);
    return m_root + path;
}

void FakeDeviceTree::Write(const std::string& path, const std::string& text) const {
    std::ofstream(m_root + path) << text << "\n";
}

void FakeDeviceTree::Link(const std::string& target, const std::string& path) const {
    fs::create_directories(fs::path(m_root + path).parent_path());
    fs::remove(m_root + path);
    fs::create_symlink(target, m_root + path);
}

// sys/class/tty/<kernel> -> the class device below device, which links back.
void FakeDeviceTree::ClassEntry(const std::string& kernel, const std::string& device) const {
    const std::string classDevice = device + "/tty/" + kernel;
    Dir(classDevice);
    Link(m_root + device, classDevice + "/device");
    Link(m_root + classDevice, "/sys/class/tty/" + kernel);
}

void FakeDeviceTree::AddUsb(const FakeUsbDevice& d) {
    const bool acm = d.kernel.rfind("ttyACM", 0) == 0;
    const std::string usb = "/sys/devices/pci0000:00/usb1/1-" + std::to_string(++m_usbCount);
    const std::string iface = usb + "/" + usb.substr(usb.rfind('/') + 1) + ":1.0";
    Dir(iface);
    const std::pair<const char*, std::string> attributes[] = {{"idVendor", d.vendorId},
                                                              {"idProduct", d.productId},
                                                              {"manufacturer", d.manufacturer},
                                                              {"product", d.product},
                                                              {"serial", d.serial}};
    for (const auto& [name, value] : attributes) {
        if (!value.empty())
            Write(usb + "/" + name, value);
    }
    Link(m_root + "/sys/bus/usb", iface + "/subsystem");
    const std::string device = acm ? iface : iface + "/" + d.kernel;
    Dir(device);
    if (!acm)
        Link(m_root + "/sys/bus/usb-serial", device + "/subsystem");
    Link(m_root + "/sys/bus/usb/drivers/" + (acm ? "cdc_acm" : "ftdi_sio"), device + "/driver");
    ClassEntry(d.kernel, device);
    if (!d.byId.empty())
        LinkById(d.byId, d.kernel);
}

void FakeDeviceTree::AddOnboard(const std::string& kernel, const std::string& type,
                                const std::string& subsystem) {
    const std::string device = "/sys/devices/" + subsystem + "0/" + kernel + "-port";
    Dir(device);
    Link(m_root + "/sys/bus/" + subsystem, device + "/subsystem");
    Link(m_root + "/sys/bus/" + subsystem + "/drivers/serial8250", device + "/driver");
    ClassEntry(kernel, device);
    if (!type.empty())
        Write(device + "/tty/" + kernel + "/type", type);
}

void FakeDeviceTree::AddVirtual(const std::string& kernel) {
    Dir("/sys/devices/virtual/tty/" + kernel);
    Link(m_root + "/sys/devices/virtual/tty/" + kernel, "/sys/class/tty/" + kernel);
}

void FakeDeviceTree::LinkById(const std::string& name, const std::string& kernel) {
    Link("../../" + kernel, "/dev/serial/by-id/" + name);
}

}  // namespace vm::test
