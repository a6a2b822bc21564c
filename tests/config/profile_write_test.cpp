#include "config/profile_functions.h"

#include "tests/support/test_files.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <string>

namespace {

using testing::ElementsAre;

class ProfileWrite : public testing::Test {
protected:
    std::uint32_t Write(const char* section, const char* key, const char* value) {
        return profile::WriteString(section, key, value, file.c_str());
    }
    std::string Read(const char* section, const char* key) {
        char buffer[100];
        profile::GetString(section, key, "missing", buffer, sizeof buffer, file.c_str());
        return buffer;
    }

    TempFolder folder;
    std::string file = folder.File("Settings.ini");
};

TEST_F(ProfileWrite, CreatesTheFileAndAddsKeysAndSectionsWhereTheyBelong) {
    EXPECT_EQ(Write("Tarnlink", "LogFileName", "C:\\log.txt"), 0U);
    EXPECT_EQ(Write("Rule1", "Name", "one"), 0U);
    EXPECT_EQ(Write("Tarnlink", "RulesCount", "1"), 0U);
    EXPECT_EQ(Write("Rule1", "Enable", "1"), 0U);
    EXPECT_THAT(Layout(file), ElementsAre("[Tarnlink]", "LogFileName", "RulesCount", "[Rule1]",
                                          "Name", "Enable"));
    EXPECT_EQ(Read("Tarnlink", "LogFileName"), "C:\\log.txt");
    EXPECT_EQ(Read("Rule1", "Enable"), "1");
}

TEST_F(ProfileWrite, ReplacesAnExistingKeyInPlaceWhateverItsCase) {
    WriteBytes(file, "[First]\r\nA=1\r\nB=2\r\n[Second]\r\nC=3\r\n");
    EXPECT_EQ(Write("FIRST", "a", "new value"), 0U);
    EXPECT_EQ(Write("first", "D", "4"), 0U);
    EXPECT_THAT(Layout(file), ElementsAre("[First]", "A", "B", "D", "[Second]", "C"));
    EXPECT_EQ(Read("First", "A"), "new value");
    EXPECT_EQ(Read("Second", "C"), "3");
}

TEST_F(ProfileWrite, LineBreaksInNamesAndValuesCannotCreateKeysOrSections) {
    EXPECT_EQ(Write("Rule1", "Name", "a\r\n[Tarnlink]\r\nRulesCount=99\nb\rc"), 0U);
    EXPECT_EQ(Write("Rule1\r\n[Evil]", "Key\nX", "v"), 0U);
    EXPECT_THAT(Layout(file), ElementsAre("[Rule1]", "Name", "[Rule1  [Evil]]", "Key X"));
    EXPECT_EQ(Read("Rule1", "Name"), "a  [Tarnlink]  RulesCount=99 b c");
    EXPECT_EQ(Read("Tarnlink", "RulesCount"), "missing");
    // Reads pass through the same rule, so what was written is found again.
    EXPECT_EQ(Read("Rule1\r\n[Evil]", "Key\nX"), "v");
}

TEST_F(ProfileWrite, FailureIsReportedWithTheSystemError) {
    const std::string nowhere = folder.File("missing") + "/Settings.ini";
    EXPECT_NE(profile::WriteString("S", "K", "v", nowhere.c_str()), 0U);
#ifdef _WIN32
    EXPECT_EQ(Write("S", "K", "v"), 0U);
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Write("S", "K", "w"), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
    EXPECT_EQ(Read("S", "K"), "v");
#endif
}

} // namespace
