#include <gtest/gtest.h>

#include "serial/com_config.h"
#include "serial/com_settings.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

TEST(LoadComSettings, withoutIniFileOpensCom1At2400EightNoneOneWithXonXoff) {
    TempDir dir;
    const ComSettings s = LoadComSettings(dir.file("ConfigFile.ini"));
    EXPECT_EQ(s.nPort, 1);
    EXPECT_EQ(s.nBaud, 2400);
    EXPECT_EQ(s.byByteSize, 8);
    EXPECT_EQ(s.byParity, 0);
    EXPECT_EQ(s.byStopBits, 0);
    EXPECT_EQ(s.bXonXoff, 1);
}

TEST(LoadComSettings, storedValuesOutsideTheListsPassThrough) {
    TempDir dir;
    const std::string ini =
        dir.write("ConfigFile.ini",
                  "[ComConfig]\r\nBaud=9600\r\nPort=11\r\nCharacter=5\r\nParity=2\r\nStopbit=1\r\n"
                  "Protocol=1\r\n");
    const ComSettings s = LoadComSettings(ini);
    EXPECT_EQ(s.nBaud, 9600);
    EXPECT_EQ(s.nPort, 11);
    EXPECT_EQ(s.byByteSize, 5);
    EXPECT_EQ(s.byParity, 2);
    EXPECT_EQ(s.byStopBits, 1);
    EXPECT_EQ(s.bXonXoff, 0);
}

TEST(CComConfig, mapsEveryListIndex) {
    const CComConfig map;
    EXPECT_EQ(map.MapBaud(4), 9600);
    EXPECT_EQ(map.MapBaud(6), 38400);
    EXPECT_EQ(map.MapPort(7), 8);
    EXPECT_EQ(map.MapPort(8), 8);
    EXPECT_EQ(map.MapByteSize(0), 7);
    EXPECT_EQ(map.MapByteSize(0x105), 5);
    EXPECT_EQ(map.MapProtocol(0), 1);
    EXPECT_EQ(map.MapProtocol(7), 7);
}

TEST(StoredComConfig, writeThenReadRoundTrips) {
    TempDir dir;
    StoredComConfig s;
    s.port = 3;
    s.baud = 5;
    s.sendTime = 750;
    ASSERT_TRUE(WriteStoredComConfig(dir.file("c.ini"), s));
    const StoredComConfig back = ReadStoredComConfig(dir.file("c.ini"));
    EXPECT_EQ(back.port, 3);
    EXPECT_EQ(back.baud, 5);
    EXPECT_EQ(back.sendTime, 750);
    EXPECT_EQ(back.protocol, 0);
}

}  // namespace
}  // namespace vm
