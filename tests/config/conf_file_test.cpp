#include "config/conf_file.h"

#include "tests/support/test_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfFile, ReadStringGivesTheDefaultForMissingOrEmptyValuesAndCutsLongOnes) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[Rule1]\r\nName=\r\nTargetAddress=vpn.example.com\r\nLong=" +
                         std::string(6000, 'x') + "\r\n" +
                         std::string("Zero=ab\0cd\r\nLeadingZero=\0cd\r\n", 29));
    const CConfFile conf(file, "Rule1");
    EXPECT_EQ(conf.ReadString("Name", "No name"), "No name");
    EXPECT_EQ(conf.ReadString("Missing", "null"), "null");
    EXPECT_EQ(conf.ReadString("TargetAddress", "null"), "vpn.example.com");
    EXPECT_EQ(conf.ReadString("Long", ""), std::string(4999, 'x'));
    // A zero byte ends the value, as it ends the text the store can write.
    EXPECT_EQ(conf.ReadString("Zero", "d"), "ab");
    EXPECT_EQ(conf.ReadString("LeadingZero", "d"), "d");
    EXPECT_EQ(CConfFile(folder.File("none.ini"), "Rule1").ReadString("Name", "d"), "d");
}

} // namespace
