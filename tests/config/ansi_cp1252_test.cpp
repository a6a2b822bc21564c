#include "config/ansi_text.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiCp1252StandIn, MapsLikeCodePage1252) {
    EXPECT_EQ(AnsiToWide("\x80\xE9\x9F\x81\xA0"), L"\u20AC\u00E9\u0178\u0081\u00A0");
    EXPECT_EQ(WideToAnsi(L"\u20AC\u00E9\u0178\u0081\u00FF"), "\x80\xE9\x9F\x81\xFF");
    // U+0080 has no byte in code page 1252, nor has anything beyond it.
    EXPECT_EQ(WideToAnsi(L"\u0080\u0100\u4E2D"), "???");
    const std::string every = [] {
        std::string bytes;
        for (int b = 1; b < 256; ++b) {
            bytes.push_back(static_cast<char>(b));
        }
        return bytes;
    }();
    EXPECT_EQ(WideToAnsi(AnsiToWide(every)), every);
    EXPECT_EQ(AnsiCompletePrefix(every), every.size());
}

} // namespace
