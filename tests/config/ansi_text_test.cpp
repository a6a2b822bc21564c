#include "config/ansi_text.h"

#include <gtest/gtest.h>

namespace {

// Plain ASCII is the same in every ANSI code page.
TEST(AnsiText, AsciiCrossesUnchangedInBothDirections) {
    const std::string ascii = "Rule 1: vpn.example.com, 10.0.0.1-10.0.0.9 ~!";
    EXPECT_EQ(AnsiToWide(ascii), L"Rule 1: vpn.example.com, 10.0.0.1-10.0.0.9 ~!");
    EXPECT_EQ(WideToAnsi(AnsiToWide(ascii)), ascii);
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiCompletePrefix(ascii), ascii.size());
}

} // namespace
