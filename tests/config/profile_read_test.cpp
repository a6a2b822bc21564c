#include "config/profile_functions.h"

#include "tests/support/test_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Cases that rewrite the file use a fresh file each: a rewrite within one clock
// tick that keeps the size may go unseen by a reader that caches the parsed file.
class ProfileRead : public testing::Test {
protected:
    std::string GetString(const char* section, const char* key) {
        char buffer[100];
        lastCount = profile::GetString(section, key, "dflt", buffer, sizeof buffer, file.c_str());
        return buffer;
    }
    std::int32_t GetInt(const char* key) { return profile::GetInt("S", key, -7, file.c_str()); }

    TempFolder folder;
    std::string file = folder.File("Settings.ini");
    std::uint32_t lastCount = 0;
};

TEST_F(ProfileRead, MissingFileSectionOrKeyGiveTheDefault) {
    EXPECT_EQ(GetString("S", "K"), "dflt");
    EXPECT_EQ(lastCount, 4U);
    EXPECT_EQ(GetInt("K"), -7);
    WriteBytes(file, "[S]\r\nK=v\r\n");
    EXPECT_EQ(GetString("T", "K"), "dflt");
    EXPECT_EQ(GetString("S", "L"), "dflt");
    EXPECT_EQ(GetInt("L"), -7);
}

TEST_F(ProfileRead, EmptyValueCopiesNothingAndIntGivesTheDefault) {
    WriteBytes(file, "[S]\r\nK=\r\nQ=\"\"\r\nB=   \r\n");
    for (const char* key : {"K", "Q", "B"}) {
        EXPECT_EQ(GetString("S", key), "") << key;
        EXPECT_EQ(lastCount, 0U) << key;
        EXPECT_EQ(GetInt(key), -7) << key;
    }
}

TEST_F(ProfileRead, NamesMatchWithoutCaseAndFirstDuplicateWins) {
    WriteBytes(file, "[Rule1]\r\nName=first\r\nNAME=second\r\n[RULE1]\r\nOther=x\r\n");
    EXPECT_EQ(GetString("rule1", "name"), "first");
    EXPECT_EQ(GetString("Rule1", "Other"), "dflt");
}

TEST_F(ProfileRead, ValuesAreTrimmedAndUnquoted) {
    WriteBytes(file, "[ S ]\r\n  K1  =  a b  \r\nK2=\"quoted \"\r\nK3='single'\r\nK4=\"open\r\n"
                     "K5=a ; b\r\nK6=a=b\r\n#K7=hash\r\nK8\r\n");
    EXPECT_EQ(GetString("S", "K1"), "a b");
    EXPECT_EQ(GetString("S", "K2"), "quoted ");
    EXPECT_EQ(GetString("S", "K3"), "single");
    EXPECT_EQ(GetString("S", "K4"), "\"open");
    EXPECT_EQ(GetString("S", "K5"), "a ; b");
    EXPECT_EQ(GetString("S", "K6"), "a=b");
    EXPECT_EQ(GetString("S", "#K7"), "hash");
    EXPECT_EQ(GetString("S", "K8"), "dflt");
}

TEST_F(ProfileRead, EveryLineEndingReadsTheSame) {
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const std::string e = eol;
        file = folder.File(std::to_string(e.size()) + (e == "\r" ? "cr.ini" : "lf.ini"));
        WriteBytes(file, "[A]" + e + "K=1" + e + e + "[S]" + e + "K=v" + e);
        EXPECT_EQ(GetString("S", "K"), "v");
        EXPECT_EQ(GetString("A", "K"), "1");
    }
}

TEST_F(ProfileRead, IntegersReadAsKernel32ReadsThem) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"167772161", 167772161},
        {"-1062731519", -1062731519},
        {"3232235777", -1062731519},
        {"4294967295", -1},
        {"4294967297", 1},
        {"+7", 7},
        {"3abc", 3},
        {"12x34", 12},
        {"--5", 0},
        {"abc", 0},
        {"\"42\"", 42},
        {"0x1F", 31},
    };
    int index = 0;
    for (const auto& [text, expected] : cases) {
        file = folder.File("int" + std::to_string(++index) + ".ini");
        WriteBytes(file, std::string("[S]\r\nK=") + text + "\r\n");
        EXPECT_EQ(GetInt("K"), expected) << text;
    }
}

} // namespace
