// CRules::Save over a profile backend whose writes fail as each test says. It
// stands in for the platform's at link time: on real files every write of one
// save fails alike, so the first failure cannot be told from a later one there.
#include "config/profile_backend.h"
#include "config/rules.h"
#include "tests/support/test_files.h"
#include "tests/support/make_rule.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

// Writes from this one on fail, each with its own code, and cut the file they
// were given to nothing, as a rewrite that stopped on a full disk would.
std::size_t g_firstFailure = 0;
std::size_t g_writes = 0;
constexpr std::uint32_t kFirstCode = 100;

} // namespace

namespace profile::backend {

std::uint32_t GetString(const char*, const char*, const char* defaultText, char* buf,
                        std::uint32_t size, const char*) {
    // Nothing is stored: every read gives the default, cut as the platform cuts it.
    if (size == 0) {
        return 0;
    }
    const std::size_t length = std::min<std::size_t>(std::strlen(defaultText), size - 1);
    std::memcpy(buf, defaultText, length);
    buf[length] = '\0';
    return static_cast<std::uint32_t>(length);
}

std::int32_t GetInt(const char*, const char*, std::int32_t defaultValue, const char*) {
    return defaultValue;
}

// Appends "key=value\n" to the file.
std::uint32_t WriteString(const char*, const char* key, const char* value, const char* file) {
    const std::size_t write = g_writes++;
    if (write >= g_firstFailure) {
        std::ofstream(file, std::ios::binary | std::ios::trunc);
        return kFirstCode + static_cast<std::uint32_t>(write);
    }
    std::ofstream(file, std::ios::binary | std::ios::app) << key << '=' << value << '\n';
    return 0;
}

} // namespace profile::backend

namespace {

using testing::ElementsAre;

// For each number of writes that succeed, from none to all of them, over a file
// that exists and one that does not: a failed save leaves the file as it was and
// reports the first failure, a whole one puts exactly what was written in place,
// and no copy stays behind either way.
TEST(RulesSave, OnlyASaveWhoseWritesAllSucceedReplacesTheFile) {
    CRules rules;
    rules.push_back(MakeRule("r1", 1, 2, "t"));
    rules.push_back(MakeRule("r2", 3, 4, "u"));
    const std::string written = "RulesCount=2\nName=r1\nEnable=1\nSrcFirstIp=1\nSrcLastIp=2\n"
                                "TargetAddress=t\nName=r2\nEnable=1\nSrcFirstIp=3\nSrcLastIp=4\n"
                                "TargetAddress=u\n";
    const std::size_t writes = 1 + 5 * rules.size();
    for (const bool existing : {true, false}) {
        for (std::size_t failure = 0; failure <= writes; ++failure) {
            SCOPED_TRACE(testing::Message()
                         << "existing " << existing << ", first failure " << failure);
            const TempFolder folder;
            const std::string file = folder.File("Settings.ini");
            const std::string old = existing ? "[Tarnlink]\r\nRulesCount=1\r\n" : "";
            if (existing) {
                WriteBytes(file, old);
            }
            g_firstFailure = failure;
            g_writes = 0;
            const std::uint32_t result = rules.Save(file);
            if (failure < writes) {
                EXPECT_EQ(result, kFirstCode + failure);
                EXPECT_EQ(g_writes, failure + 1);
                EXPECT_EQ(folder.Names().size(), existing ? 1U : 0U);
                EXPECT_EQ(ReadBytes(file), old);
            } else {
                EXPECT_EQ(result, 0U);
                EXPECT_THAT(folder.Names(), ElementsAre("Settings.ini"));
                EXPECT_EQ(ReadBytes(file), old + written);
            }
        }
    }
}

} // namespace
