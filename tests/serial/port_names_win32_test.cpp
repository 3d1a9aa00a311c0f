// On Windows port n is COMn, in the device form that opens COM10 and above;
// a settings file may still name another device for a port.
#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "serial/com_settings.h"
#include "serial/port_device.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

TEST(WindowsPortNames, portNIsComNUnlessTheSettingsNameADevice) {
    test::TempDir dir;
    const std::string ini = dir.file("ConfigFile.ini");
    ASSERT_TRUE(IniWriteString(ini, kComConfigSection, "Device2", "\\\\.\\CNCA0"));
    EXPECT_EQ(PortDevicePath(ini, 1), "\\\\.\\COM1");
    EXPECT_EQ(PortDevicePath(ini, 2), "\\\\.\\CNCA0");
    EXPECT_EQ(PortDevicePath(ini, 12), "\\\\.\\COM12");
}

}  // namespace
}  // namespace vm
