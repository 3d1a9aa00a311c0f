#pragma once
// A fake sys/ and dev/ tree below a folder, laid out as the kernel and udev lay
// out the real one, for finding serial devices without the hardware.

#include <string>

namespace vm::test {

struct FakeUsbDevice {
    std::string kernel;  // "ttyUSB0" (a USB-serial converter) or "ttyACM0" (CDC-ACM)
    std::string vendorId, productId, manufacturer, product, serial;
    std::string byId;  // name of its link in dev/serial/by-id ("" for none)
};

class FakeDeviceTree {
public:
    explicit FakeDeviceTree(const std::string& root) : m_root(root) {}

    void AddUsb(const FakeUsbDevice& device);
    // An on-board port: type is its UART type attribute ("" for none), subsystem
    // its bus ("pnp", "platform", ...).
    void AddOnboard(const std::string& kernel, const std::string& type,
                    const std::string& subsystem);
    // A terminal without a device behind it (virtual console, Bluetooth link).
    void AddVirtual(const std::string& kernel);
    // Points the by-id link name at kernel (a re-plugged adapter).
    void LinkById(const std::string& name, const std::string& kernel);

private:
    std::string Dir(const std::string& path) const;  // made with parents
    void Write(const std::string& path, const std::string& text) const;
    void Link(const std::string& target, const std::string& path) const;
    void ClassEntry(const std::string& kernel, const std::string& device) const;

    std::string m_root;
    int m_usbCount = 0;
};

}  // namespace vm::test
