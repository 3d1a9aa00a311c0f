// Finding the serial devices of a machine from a fake device tree: USB
// adapters and USB instruments with their stable names, on-board ports only
// where a UART answers, and nothing for virtual terminals.
#include <gtest/gtest.h>

#include "serial/port_discovery.h"
#include "tests/support/fake_device_tree.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

const char* const kFtdiId = "usb-FTDI_FT232R_USB_UART_A10K1ZQ8-if00-port0";

TEST(DiscoverSerialPorts, findsUsbAndRealUartsWithStableNamesAndSkipsTheRest) {
    test::TempDir dir;
    test::FakeDeviceTree tree(dir.path());
    tree.AddUsb({"ttyUSB0", "0403", "6001", "FTDI", "FT232R USB UART", "A10K1ZQ8", kFtdiId});
    tree.AddUsb(
        {"ttyACM0", "1546", "01a8", "u-blox AG", "GNSS receiver", "", "usb-u-blox_GNSS-if00"});
    tree.AddUsb({"ttyUSB10", "067b", "2303", "", "", "", ""});  // no strings, no by-id link
    tree.AddOnboard("ttyS0", "4", "pnp");                       // a 16550A answers
    tree.AddOnboard("ttyS1", "0", "pnp");                       // the kernel's placeholder, no UART
    tree.AddOnboard("ttyS2", "", "platform");                   // legacy placeholder without a type
    tree.AddVirtual("tty1");
    tree.AddVirtual("rfcomm0");

    struct Row {
        std::string kernel, stable, display, description;
    } rows[] = {
        {"rfcomm0", "/dev/rfcomm0", "蓝牙串口 (/dev/rfcomm0)", "蓝牙串口"},
        {"ttyACM0", "/dev/serial/by-id/usb-u-blox_GNSS-if00",
         "USB 串口 GNSS receiver (/dev/ttyACM0)", "USB 串口 u-blox AG GNSS receiver [1546:01a8]"},
        {"ttyS0", "/dev/ttyS0", "板载串口 (/dev/ttyS0)", "板载串口"},
        {"ttyUSB0", std::string("/dev/serial/by-id/") + kFtdiId,
         "USB 串口 FT232R USB UART (/dev/ttyUSB0)",
         "USB 串口 FTDI FT232R USB UART [0403:6001] 序列号 A10K1ZQ8"},
        {"ttyUSB10", "/dev/ttyUSB10", "USB 串口 067b:2303 (/dev/ttyUSB10)", "USB 串口 [067b:2303]"},
    };
    const std::vector<SerialPortInfo> ports = DiscoverSerialPorts(dir.path());
    ASSERT_EQ(ports.size(), std::size(rows));
    for (size_t i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].kernelName, rows[i].kernel);
        EXPECT_EQ(ports[i].devicePath, "/dev/" + rows[i].kernel);
        EXPECT_EQ(ports[i].stableName, rows[i].stable);
        EXPECT_EQ(PortDisplayName(ports[i]), rows[i].display);
        EXPECT_EQ(PortDescription(ports[i]), rows[i].description);
    }
    EXPECT_EQ(ports[1].driver, "cdc_acm");
    EXPECT_EQ(ports[3].driver, "ftdi_sio");
    EXPECT_EQ(FindDiscoveredPort(ports, std::string("/dev/serial/by-id/") + kFtdiId), 3);
    EXPECT_EQ(FindDiscoveredPort(ports, "/dev/ttyACM0"), 1);
    EXPECT_EQ(FindDiscoveredPort(ports, "/dev/ttyS1"), -1);

    EXPECT_TRUE(DiscoverSerialPorts(dir.file("empty")).empty()) << "no tree: no ports";
}

}  // namespace
}  // namespace vm
