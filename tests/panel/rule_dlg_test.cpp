// Validation of the rule editor's OK.
#include "fake_message_owner.h"
#include "panel/rule_dlg_logic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}

struct ConfirmCase {
    const char* title;
    std::uint32_t first;
    std::uint32_t last;
    const wchar_t* server;
    const wchar_t* expectedMessage; // nullptr: accepted
    std::uint32_t expectedLast;
};

const ConfirmCase kCases[] = {
    {"last left empty takes the first", Ip(10, 0, 0, 5), 0, L"10.1.1.1", nullptr, Ip(10, 0, 0, 5)},
    {"both empty", 0, 0, L"s", L"Please specify a correct IP address range", 0},
    {"first empty", 0, Ip(10, 0, 0, 9), L"s", nullptr, Ip(10, 0, 0, 9)},
    {"reversed", Ip(10, 0, 0, 9), Ip(10, 0, 0, 1), L"s",
     L"Please specify a correct IP address range", Ip(10, 0, 0, 1)},
    {"compared unsigned", Ip(100, 0, 0, 1), Ip(200, 0, 0, 1), L"s", nullptr, Ip(200, 0, 0, 1)},
    {"high first above low last", Ip(192, 168, 0, 1), Ip(10, 0, 0, 1), L"s",
     L"Please specify a correct IP address range", Ip(10, 0, 0, 1)},
    {"server checked before range", 0, 0, L"", L"Please specify a VPN Server address", 0},
    {"server of one space", Ip(1, 2, 3, 4), Ip(1, 2, 3, 4), L" ", nullptr, Ip(1, 2, 3, 4)},
};

TEST(RuleEditor, ConfirmationChecksServerThenRange) {
    for (const ConfirmCase& c : kCases) {
        SCOPED_TRACE(c.title);
        CRuleEditorFields fields;
        fields.firstIp = c.first;
        fields.lastIp = c.last;
        fields.serverAddress = c.server;
        FakeMessageOwner owner;
        const bool accepted = ConfirmRuleFields(fields, owner);
        EXPECT_EQ(accepted, c.expectedMessage == nullptr);
        if (c.expectedMessage == nullptr) {
            EXPECT_TRUE(owner.messages.empty());
            EXPECT_EQ(fields.lastIp, c.expectedLast);
            EXPECT_EQ(fields.firstIp, c.first);
        } else {
            ASSERT_EQ(owner.messages.size(), 1u);
            EXPECT_EQ(owner.messages.at(0).text, c.expectedMessage);
            EXPECT_EQ(owner.messages.at(0).caption, L"Rule");
            EXPECT_EQ(owner.messages.at(0).icon, MessageIcon::Information);
        }
    }
}

TEST(RuleEditor, CaptionChangesOnlyWhenEditing) {
    CRuleEditorFields fields;
    EXPECT_TRUE(RuleEditorCaption(fields).empty());
    fields.editing = true;
    EXPECT_EQ(RuleEditorCaption(fields), L"Edit Rule");
}

} // namespace
