#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "tests/support/temp_dir.h"
#include "universal/layout_settings.h"

namespace vm {
namespace {

using test::TempDir;

// Source 1,2,3,4,5,6 with the attribute on; target point 1, Y 2, X 3, Z 4,
// attribute 5, sequence 6 without numbering.
LayoutSettings ExampleLayout() {
    LayoutSettings s;
    s.source = {0, 1, 2, 3, 4, 5};
    s.target = {0, 4, 2, 1, 3, 5};
    s.attributeEnabled = true;
    s.numberingEnabled = false;
    return s;
}

TEST(LayoutSettings, savedExampleIsStoredAsZeroBasedIndexesInBothSections) {
    TempDir dir;
    const std::string ini = dir.file("ConfigFile.ini");
    // Without a settings file every position is field 1 and the switches are off.
    EXPECT_EQ(LoadLayoutSettings(ini), LayoutSettings());
    ASSERT_TRUE(SaveLayoutSettings(ini, ExampleLayout()));
    const std::string expected =
        "[OldConfig]\r\nOCheck=1\r\nOOrder=5\r\nOCode=0\r\nOAtt=1\r\nOX=2\r\nOY=3\r\nOZ=4\r\n"
        "[NewConfig]\r\nNCheck=0\r\nNOrder=5\r\nNCode=0\r\nNAtt=4\r\nNX=2\r\nNY=1\r\nNZ=3\r\n";
    EXPECT_EQ(TempDir::read(ini), expected);
    EXPECT_EQ(LoadLayoutSettings(ini), ExampleLayout());
}

TEST(LayoutSettings, saveKeepsOtherSectionsAndReplacesOldValues) {
    TempDir dir;
    const std::string ini = dir.write("ConfigFile.ini",
                                      "[tempvar]\r\nkeep=yes\r\n[oldconfig]\r\nOX=4\r\n"
                                      "[Parametersetting]\r\ncodecounstant=K\r\n");
    SaveLayoutSettings(ini, ExampleLayout());
    EXPECT_EQ(IniGetString(ini, "tempvar", "keep", ""), "yes");
    EXPECT_EQ(IniGetString(ini, "Parametersetting", "codecounstant", ""), "K");
    EXPECT_EQ(LoadLayoutSettings(ini), ExampleLayout());
    EXPECT_EQ(TempDir::read(ini).find("OX=4"), std::string::npos);
}

TEST(LayoutSettings, storedValuesReadLikeProfileIntegers) {
    TempDir dir;
    const std::string ini = dir.write("ConfigFile.ini",
                                      "[OldConfig]\r\nOCheck=7\r\nOX=3\r\nOY=abc\r\nOZ=2xyz\r\n"
                                      "[NewConfig]\r\nNCheck=-1\r\nNX=9\r\nNY=-2\r\nNZ=5\r\n");
    const LayoutSettings s = LoadLayoutSettings(ini);
    EXPECT_TRUE(s.attributeEnabled);  // any non-zero value turns a switch on
    EXPECT_TRUE(s.numberingEnabled);
    EXPECT_EQ(s.source.x, 3);  // stored 3 is the list entry "4"
    EXPECT_EQ(s.source.y, 0);  // no leading digits
    EXPECT_EQ(s.source.z, 2);
    // Positions outside the six fields are taken as field 1.
    EXPECT_EQ(s.target.x, 0);
    EXPECT_EQ(s.target.y, 0);
    EXPECT_EQ(s.target.z, 5);
}

}  // namespace
}  // namespace vm
