// The serial settings as stored in ConfigFile.ini, and where each port is.
#include <gtest/gtest.h>

#include <tuple>

#include "serial/com_settings.h"
#include "serial/port_device.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

TEST(LoadComSettings, mapsListIndexesAndPassesOtherStoredValuesThrough) {
    using Values = std::tuple<int, int, int, int, int, int>;  // port baud bits parity stop xon
    const std::pair<const char*, Values> rows[] = {
        {nullptr, {1, 2400, 8, 0, 0, 1}},  // no file: COM1 at 2400 8N1 with XON/XOFF
        {"Port=7\r\nBaud=4\r\nCharacter=0\r\nProtocol=1\r\n", {8, 9600, 7, 0, 0, 0}},
        // A hand-edited file with real values still works.
        {"Baud=9600\r\nPort=11\r\nCharacter=5\r\nParity=2\r\nStopbit=1\r\nProtocol=7\r\n",
         {11, 9600, 5, 2, 1, 7}},
        {"Port=8\r\nBaud=6\r\nCharacter=261\r\n", {8, 38400, 5, 0, 0, 1}},  // low 8 bits
        {"Baud=8\r\nProtocol=2\r\n", {1, 115200, 8, 0, 0, 2}},  // the added entries: RTS/CTS
    };
    for (const auto& [stored, expected] : rows) {
        TempDir dir;
        const std::string ini =
            stored ? dir.write("ConfigFile.ini", std::string("[ComConfig]\r\n") + stored)
                   : dir.file("ConfigFile.ini");
        const ComSettings s = LoadComSettings(ini);
        EXPECT_EQ(Values(s.nPort, s.nBaud, s.byByteSize, s.byParity, s.byStopBits, s.bXonXoff),
                  expected)
            << (stored ? stored : "no file");
    }
}

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
