#include <gtest/gtest.h>

#include "serial/port_device.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

TEST(PortDevicePath, namedDeviceWinsElseTheBuiltInUart) {
    TempDir dir;
    const std::string ini = dir.write(
        "ConfigFile.ini", "[comconfig]\r\nPort=2\r\ndevice3=/dev/ttyUSB0\r\nDevice4=\r\n");
    EXPECT_EQ(PortDevicePath(ini, 3), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(ini, 1), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(ini, 4), "/dev/ttyS3");  // an empty entry names nothing
    EXPECT_EQ(PortDevicePath(dir.file("missing.ini"), 11), "/dev/ttyS10");
}

}  // namespace
}  // namespace vm
