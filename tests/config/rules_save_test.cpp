#include "config/rules.h"

#include "config/conf_file.h"
#include "tests/support/test_files.h"
#include "tests/support/make_rule.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using testing::ElementsAre;

std::string Value(const std::string& file, const char* section, const char* key) {
    return CConfFile(file, section).ReadString(key, "<none>");
}

class RulesSave : public testing::Test {
protected:
    TempFolder folder;
    std::string file = folder.File("Settings.ini");
};

TEST_F(RulesSave, WritesCountThenEachRuleInOrderWithSignedAddresses) {
    CRules rules;
    rules.push_back(MakeRule("Office", 0xC0A80101, 0xFFFFFFFF, "vpn.example.com"));
    rules.push_back(MakeRule("", 0x0A000001, 0x80000000, "", false));
    ASSERT_EQ(rules.Save(file), 0U);
    EXPECT_THAT(Layout(file),
                ElementsAre("[Tarnlink]", "RulesCount", "[Rule1]", "Name", "Enable", "SrcFirstIp",
                            "SrcLastIp", "TargetAddress", "[Rule2]", "Name", "Enable", "SrcFirstIp",
                            "SrcLastIp", "TargetAddress"));
    EXPECT_EQ(Value(file, "Tarnlink", "RulesCount"), "2");
    EXPECT_EQ(Value(file, "Rule1", "Enable"), "1");
    EXPECT_EQ(Value(file, "Rule1", "SrcFirstIp"), "-1062731519");
    EXPECT_EQ(Value(file, "Rule1", "SrcLastIp"), "-1");
    EXPECT_EQ(Value(file, "Rule2", "Enable"), "0");
    EXPECT_EQ(Value(file, "Rule2", "SrcFirstIp"), "167772161");
    EXPECT_EQ(Value(file, "Rule2", "SrcLastIp"), "-2147483648");

    CRules loaded;
    loaded.Load(file);
    ASSERT_EQ(loaded.size(), 2U);
    EXPECT_EQ(loaded[0].Name, "Office");
    EXPECT_EQ(loaded[0].SrcFirstIp, 0xC0A80101U);
    EXPECT_EQ(loaded[0].SrcLastIp, 0xFFFFFFFFU);
    EXPECT_EQ(loaded[1].Name, "No name");
    EXPECT_EQ(loaded[1].TargetAddress, "null");
    EXPECT_EQ(loaded[1].SrcLastIp, 0x80000000U);
}

TEST_F(RulesSave, JoinsExistingSectionsAndLeavesStaleRulesInPlace) {
    WriteBytes(file, "[Tarnlink]\r\nLogFileName=C:\\log.txt\r\n[Other]\r\nA=1\r\n");
    CRules rules;
    for (const char* name : {"r1", "r2", "r3", "r4", "r5"}) {
        rules.push_back(MakeRule(name, 1, 2, "t"));
    }
    ASSERT_EQ(rules.Save(file), 0U);
    rules.resize(2);
    rules[1].Enable = false;
    ASSERT_EQ(rules.Save(file), 0U);

    const std::vector<std::string> layout = Layout(file);
    EXPECT_THAT(std::vector<std::string>(layout.begin(), layout.begin() + 6),
                ElementsAre("[Tarnlink]", "LogFileName", "RulesCount", "[Other]", "A", "[Rule1]"));
    EXPECT_EQ(Value(file, "Tarnlink", "RulesCount"), "2");
    EXPECT_EQ(Value(file, "Rule2", "Enable"), "0");
    EXPECT_EQ(Value(file, "Rule5", "Name"), "r5");
    CRules loaded;
    loaded.Load(file);
    EXPECT_EQ(loaded.size(), 2U);

    ASSERT_EQ(CRules().Save(file), 0U);
    EXPECT_EQ(Value(file, "Tarnlink", "RulesCount"), "0");
    EXPECT_EQ(Value(file, "Rule1", "Name"), "r1");
}

// Reading trims values and takes a pair of quotes off them; what the user typed
// must come back all the same.
TEST_F(RulesSave, ValuesThatReadingWouldChangeComeBackAsTyped) {
    CRules rules;
    rules.push_back(MakeRule("\"Office\"", 1, 2, " vpn.example.com "));
    rules.push_back(MakeRule("'a'", 3, 4, "\"\""));
    ASSERT_EQ(rules.Save(file), 0U);
    CRules loaded;
    loaded.Load(file);
    ASSERT_EQ(loaded.size(), 2U);
    EXPECT_EQ(loaded[0].Name, "\"Office\"");
    EXPECT_EQ(loaded[0].TargetAddress, " vpn.example.com ");
    EXPECT_EQ(loaded[1].Name, "'a'");
    EXPECT_EQ(loaded[1].TargetAddress, "\"\"");
}

TEST_F(RulesSave, ReportsAFailedWriteWithItsCode) {
    CRules rules;
    rules.push_back(MakeRule("r1", 1, 2, "t"));
    EXPECT_NE(rules.Save(folder.File("missing") + "/Settings.ini"), 0U);
    EXPECT_TRUE(folder.Names().empty());
#ifdef _WIN32
    ASSERT_EQ(rules.Save(file), 0U);
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(rules.Save(file), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
#endif
}

} // namespace
