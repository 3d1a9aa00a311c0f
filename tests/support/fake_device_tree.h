#pragma once
// A fake sys/ and dev/ tree below a folder, laid out as the kernel and udev lay
// out the real one, for finding serial devices without the hardware.

#include <string>

namespace vm::test {

struct FakeUsbDevice {
    std::string kernel;  // "ttyUSB0" (a USB-serial converter) or "ttyACM0" (CDC-ACM)
    std::string vendorId, productId, manufacturer, product, serial;
    std::string byId;  // its link's name in dev/serial/by-id ("" for none); a later
                       // device with the same name takes the link over (a re-plug)
};

class FakeDeviceTree {
public:
    explicit FakeDeviceTree(const std::string& root) : m_root(root) {}

    void AddUsb(const FakeUsbDevice& device);
    // An on-board port: type is its UART type attribute ("" for none), bus
    // its subsystem ("pnp", "platform", ...).
    void AddOnboard(const std::string& kernel, const std::string& type, const std::string& bus);
    // A terminal without a device behind it (virtual console, Bluetooth link).
    void AddVirtual(const std::string& kernel) const;

private:
    void Write(const std::string& path, const std::string& text) const;
    void Link(const std::string& target, const std::string& path) const;
    // The device folder with its bus and driver, and the tty class entry below it.
    void Device(const std::string& device, const std::string& kernel, const std::string& bus,
                const std::string& driver) const;

    std::string m_root;
    int m_usbCount = 0;
};

}  // namespace vm::test
