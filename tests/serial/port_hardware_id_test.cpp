// What the Windows port list reads from a device's instance id and friendly
// name, for the kinds of adapters surveyors plug in.
#include <gtest/gtest.h>

#include "serial/port_hardware_id.h"

namespace vm {
namespace {

TEST(PortHardwareId, instanceIdsOfCommonAdapters) {
    const struct {
        const char* id;
        const char* kind;
        const char* vendor;
        const char* product;
        const char* serial;
        bool composite;
    } cases[] = {
        {"USB\\VID_2341&PID_0043\\85736323838351F0D1E1", "usb", "2341", "0043",
         "85736323838351F0D1E1", false},
        {"usb\\vid_067b&pid_2303\\5&1A2B3C&0&2", "usb", "067B", "2303", "", false},
        {"USB\\VID_1A86&PID_7523&MI_00\\6&2C6DAE5&0&0000", "usb", "1A86", "7523", "", true},
        {"FTDIBUS\\VID_0403+PID_6001+A10K1ZQ8A\\0000", "usb", "0403", "6001", "A10K1ZQ8A", false},
        {"BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0002\\7&1&0&000000000000_0",
         "bluetooth", "", "", "", false},
        {"ACPI\\PNP0501\\1", "onboard", "", "", "", false},
        {"ROOT\\PORTS\\0000", "other", "", "", "", false},
        {"USB\\VID_12", "usb", "", "", "", false},
        {"", "other", "", "", "", false},
    };
    for (const auto& c : cases) {
        SerialPortInfo port;
        EXPECT_EQ(ReadDeviceInstanceId(c.id, port), c.composite) << c.id;
        EXPECT_EQ(port.kind, c.kind) << c.id;
        EXPECT_EQ(port.vendorId, c.vendor) << c.id;
        EXPECT_EQ(port.productId, c.product) << c.id;
        EXPECT_EQ(port.serialNumber, c.serial) << c.id;
    }
}

TEST(PortHardwareId, windowsNamesAsTheUserSeesThem) {
    EXPECT_EQ(WithoutPortName("USB Serial Port (COM3)", "COM3"), "USB Serial Port");
    EXPECT_EQ(WithoutPortName("USB Serial Port (COM13)", "COM3"), "USB Serial Port (COM13)");
    EXPECT_EQ(WithoutPortName(" (COM3)", "COM3"), " (COM3)");
    SerialPortInfo port;
    port.kind = "usb";
    port.product = "USB-SERIAL CH340";
    port.devicePath = "\\\\.\\COM12";
    EXPECT_EQ(PortDisplayName(port), "USB 串口 USB-SERIAL CH340 (COM12)");
}

}  // namespace
}  // namespace vm
