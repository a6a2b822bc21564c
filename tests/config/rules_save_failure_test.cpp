// CRules::Save over a profile backend whose writes fail as each test says. It
// stands in for the platform's at link time: on real files every write of one
// save fails alike, so the first failure cannot be told from a later one there.
#include "config/profile_backend.h"
#include "config/rules.h"
#include "tests/support/make_rule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The result of each write in turn; writes beyond the list succeed.
std::vector<std::uint32_t> g_writeResults;
std::size_t g_writes = 0;

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

std::uint32_t WriteString(const char*, const char*, const char*, const char*) {
    const std::size_t write = g_writes++;
    return write < g_writeResults.size() ? g_writeResults[write] : 0;
}

} // namespace profile::backend

namespace {

TEST(RulesSave, ReportsTheFirstFailedWrite) {
    CRules rules;
    rules.push_back(MakeRule("r1", 1, 2, "t"));
    rules.push_back(MakeRule("r2", 3, 4, "u"));
    // The count is written, the first rule's name is not, a later write fails with
    // another code, and the last ones are written again.
    g_writeResults = {0, 32, 0, 0, 0, 0, 0, 112};
    g_writes = 0;
    EXPECT_EQ(rules.Save("Settings.ini"), 32u);
    // A failure stops nothing: the count and five values of each rule.
    EXPECT_EQ(g_writes, 11u);
}

} // namespace
