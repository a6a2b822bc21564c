#include "config/profile_functions.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

namespace {

std::string Read(const std::string& file, const char* key) {
    char buffer[64];
    profile::GetString("S", key, "missing", buffer, sizeof buffer, file.c_str());
    return buffer;
}

TEST(IniFileCache, ChangesMadeByOthersAreSeen) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[S]\r\nK=1\r\n");
    EXPECT_EQ(Read(file, "K"), "1");
    WriteBytes(file, "[S]\r\nK=22\r\n");
    EXPECT_EQ(Read(file, "K"), "22");
    // Same size and the old modification time: the change time still tells, once
    // the clock has moved on (file times are only as fine as the kernel's tick).
    const auto modified = std::filesystem::last_write_time(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    WriteBytes(file, "[S]\r\nK=33\r\n");
    std::filesystem::last_write_time(file, modified);
    EXPECT_EQ(Read(file, "K"), "33");

    WriteBytes(file, "; kept\n[S]\nK=4\nOther=5\n");
    ASSERT_EQ(profile::WriteString("S", "New", "6", file.c_str()), 0U);
    EXPECT_EQ(ReadBytes(file), "; kept\n[S]\nK=4\nOther=5\nNew=6\r\n");
}

TEST(IniFileCache, WritesInTheMiddleShiftOrShrinkTheRestOfTheFile) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[A]\nK=1\n[B]\nK=2\n");
    ASSERT_EQ(profile::WriteString("A", "K", "a much longer value", file.c_str()), 0U);
    EXPECT_EQ(ReadBytes(file), "[A]\nK=a much longer value\n[B]\nK=2\n");
    ASSERT_EQ(profile::WriteString("A", "K", "", file.c_str()), 0U);
    EXPECT_EQ(ReadBytes(file), "[A]\nK=\n[B]\nK=2\n");
    ASSERT_EQ(profile::WriteString("B", "L", "3", file.c_str()), 0U);
    EXPECT_EQ(ReadBytes(file), "[A]\nK=\n[B]\nK=2\nL=3\r\n");
}

TEST(IniFileCache, APathThatCannotBeReadIsNotOverwritten) {
    TempFolder folder;
    const std::string notAFile = folder.File("Settings.ini");
    std::filesystem::create_directory(notAFile);
    EXPECT_EQ(profile::WriteString("S", "K", "v", notAFile.c_str()),
              static_cast<std::uint32_t>(EISDIR));
    EXPECT_EQ(Read(notAFile, "K"), "missing");
    const std::string missingFolder = folder.File("missing") + "/Settings.ini";
    EXPECT_EQ(profile::WriteString("S", "K", "v", missingFolder.c_str()),
              static_cast<std::uint32_t>(ENOENT));
}

} // namespace
