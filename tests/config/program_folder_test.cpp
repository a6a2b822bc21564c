#include "config/program_folder.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr char kTestProgram[] = "config_tests.exe";
#else
constexpr char kSeparator = '/';
constexpr char kTestProgram[] = "config_tests";
#endif

TEST(ProgramFolder, IsTheFolderOfTheRunningProgramWhateverTheCurrentFolder) {
    const std::string folder = GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kSeparator);
    EXPECT_TRUE(std::filesystem::exists(folder + kTestProgram)) << folder;

    const TempFolder elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(elsewhere.File("")));
    EXPECT_EQ(GetProgramFolder(), folder);
    EXPECT_EQ(GetSettingsPath(), folder + "Settings.ini");
    std::filesystem::current_path(previous);
}

} // namespace
