#include "config/rules.h"

#include "config/settings_names.h"
#include "tests/support/test_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t k192_168_1_1 = 0xC0A80101;
constexpr std::uint32_t k192_168_1_254 = 0xC0A801FE;

void ExpectDefaultRule(const CRule& rule) {
    EXPECT_EQ(rule.Name, "No name");
    EXPECT_FALSE(rule.Enable);
    EXPECT_EQ(rule.SrcFirstIp, 0U);
    EXPECT_EQ(rule.SrcLastIp, 0U);
    EXPECT_EQ(rule.TargetAddress, "null");
    EXPECT_EQ(rule.TargetPort, 1723);
    EXPECT_EQ(rule.Reserved, 0);
}

TEST(RulesLoad, ReadsEveryCountedRuleWithDefaultsForWhatIsMissing) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[Tarnlink]\r\nRulesCount=3\r\n"
                     "[Rule1]\r\nName=Office\r\nEnable=5\r\nSrcFirstIp=-1062731519\r\n"
                     "SrcLastIp=-1062731266\r\nTargetAddress=vpn.example.com\r\n"
                     "[Rule2]\r\nName=\r\nEnable=0\r\nSrcFirstIp=167772161\r\nTargetAddress=\r\n"
                     "[Rule4]\r\nName=Stale\r\n");
    CRules rules;
    rules.Load(file);
    ASSERT_EQ(rules.size(), 3U);
    EXPECT_EQ(rules[0].Name, "Office");
    EXPECT_TRUE(rules[0].Enable);
    EXPECT_EQ(rules[0].SrcFirstIp, k192_168_1_1);
    EXPECT_EQ(rules[0].SrcLastIp, k192_168_1_254);
    EXPECT_EQ(rules[0].TargetAddress, "vpn.example.com");
    EXPECT_EQ(rules[0].TargetPort, 1723);
    EXPECT_EQ(rules[1].Name, "No name");
    EXPECT_EQ(rules[1].SrcFirstIp, 167772161U);
    EXPECT_EQ(rules[1].TargetAddress, "null");
    ExpectDefaultRule(rules[2]);
}

TEST(RulesLoad, CountThatIsMissingZeroNegativeOrNotANumberLoadsNothing) {
    TempFolder folder;
    int index = 0;
    for (const char* count : {"", "RulesCount=0", "RulesCount=-3", "RulesCount=many"}) {
        const std::string file = folder.File("s" + std::to_string(++index) + ".ini");
        WriteBytes(file, std::string("[Tarnlink]\r\n") + count + "\r\n[Rule1]\r\nName=x\r\n");
        CRules rules;
        rules.Load(file);
        EXPECT_TRUE(rules.empty()) << count;
    }
    CRules rules;
    rules.Load(folder.File("absent.ini"));
    EXPECT_TRUE(rules.empty());
}

TEST(RulesLoad, AppendsToTheRulesAlreadyInTheList) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[Tarnlink]\r\nRulesCount=1\r\n[Rule1]\r\nName=Loaded\r\n");
    CRules rules;
    rules.emplace_back().Name = "Kept";
    rules.Load(file);
    ASSERT_EQ(rules.size(), 2U);
    EXPECT_EQ(rules[0].Name, "Kept");
    EXPECT_EQ(rules[0].TargetPort, 0);
    EXPECT_EQ(rules[1].Name, "Loaded");
}

TEST(RulesLoad, AbsurdCountIsCapped) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[Tarnlink]\r\nRulesCount=2147483647\r\n[Rule1]\r\nName=Real\r\n");
    CRules rules;
    rules.Load(file);
    ASSERT_EQ(rules.size(), static_cast<std::size_t>(settings::kMaxRulesCount));
    EXPECT_EQ(rules.front().Name, "Real");
    ExpectDefaultRule(rules.back());
}

} // namespace
