#include "inifile/ini_file_cache.h"

#include "tests/support/test_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <thread>

namespace {

// One cache, as the store keeps one for the life of the process.
class IniFileCache : public testing::Test {
protected:
    std::string Read(const std::string& file, const char* key) {
        return cache.Read(file, "S", key).value_or("missing");
    }
    std::uint32_t Write(const char* section, const char* key, const std::string& value,
                        const std::string& file) {
        return static_cast<std::uint32_t>(cache.Write(file, section, key, value));
    }

    inifile::CIniFileCache cache;
};

TEST_F(IniFileCache, ChangesMadeByOthersAreSeen) {
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
    ASSERT_EQ(Write("S", "New", "6", file), 0U);
    EXPECT_EQ(ReadBytes(file), "; kept\n[S]\nK=4\nOther=5\nNew=6\r\n");
}

TEST_F(IniFileCache, WritesInTheMiddleShiftOrShrinkTheRestOfTheFile) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    WriteBytes(file, "[A]\nK=1\n[B]\nK=2\n");
    ASSERT_EQ(Write("A", "K", "a much longer value", file), 0U);
    EXPECT_EQ(ReadBytes(file), "[A]\nK=a much longer value\n[B]\nK=2\n");
    ASSERT_EQ(Write("A", "K", "", file), 0U);
    EXPECT_EQ(ReadBytes(file), "[A]\nK=\n[B]\nK=2\n");
    ASSERT_EQ(Write("B", "L", "3", file), 0U);
    EXPECT_EQ(ReadBytes(file), "[A]\nK=\n[B]\nK=2\nL=3\r\n");
}

TEST_F(IniFileCache, APathThatCannotBeReadIsNotOverwritten) {
    TempFolder folder;
    const std::string notAFile = folder.File("Settings.ini");
    std::filesystem::create_directory(notAFile);
    EXPECT_EQ(Write("S", "K", "v", notAFile), static_cast<std::uint32_t>(EISDIR));
    EXPECT_EQ(Read(notAFile, "K"), "missing");
    const std::string missingFolder = folder.File("missing") + "/Settings.ini";
    EXPECT_EQ(Write("S", "K", "v", missingFolder), static_cast<std::uint32_t>(ENOENT));
}

// The file changes behind the copy parsed from it, each time faster than the file
// times can tell (the same size, the old modification time, within one tick), and
// the next write must edit the file as it now is.
TEST_F(IniFileCache, WritesEditTheFileAsItIsNotAsItWasParsed) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    const std::string renamed = folder.File("Settings.new");

    WriteBytes(file, "[S]\r\nK=1\r\nL=2\r\n");
    ASSERT_EQ(Read(file, "K"), "1");
    std::filesystem::remove(file);
    ASSERT_EQ(Write("S", "L", "3", file), 0U);
    EXPECT_EQ(ReadBytes(file), "[S]\r\nL=3\r\n");

    ASSERT_EQ(Read(file, "L"), "3");
    const auto modified = std::filesystem::last_write_time(file);
    WriteBytes(renamed, "[S]\r\nM=3\r\n");
    std::filesystem::last_write_time(renamed, modified);
    std::filesystem::rename(renamed, file);
    ASSERT_EQ(Write("S", "K", "4", file), 0U);
    EXPECT_EQ(ReadBytes(file), "[S]\r\nM=3\r\nK=4\r\n");

    ASSERT_EQ(Read(file, "K"), "4");
    const auto written = std::filesystem::last_write_time(file);
    WriteBytes(file, "[S]\r\nK=5\r\nM=6\r\n");
    std::filesystem::last_write_time(file, written);
    ASSERT_EQ(Write("S", "M", "7", file), 0U);
    EXPECT_EQ(ReadBytes(file), "[S]\r\nK=5\r\nM=7\r\n");
}

TEST_F(IniFileCache, AFailedWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string file = folder.File("Settings.ini");
    const std::string old = "[S]\r\nK=1\r\nRest=" + std::string(900, 'r') + "\r\n";
    WriteBytes(file, old);
    ASSERT_EQ(Read(file, "K"), "1");

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    // An edit inside the file, and lines added at its end.
    const std::uint32_t replaced = Write("S", "K", std::string(300, 'v'), file);
    const std::uint32_t appended = Write("S", "New", std::string(300, 'v'), file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(replaced, static_cast<std::uint32_t>(EFBIG));
    EXPECT_EQ(appended, static_cast<std::uint32_t>(EFBIG));
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(Read(file, "K"), "1");
    // Nothing is left beside it either.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("")),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
